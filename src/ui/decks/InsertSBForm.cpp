#include "ui/decks/InsertSBForm.h"

#include "core/decks/InsertSideboard.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/Prompts.h"
#include "ui/platform/QtText.h"

#include <QApplication>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>

namespace tovel {

TInsertSBForm::TInsertSBForm(QWidget* parent) : QDialog(parent) {
    setObjectName(tr("InsertSBForm"));
    setWindowTitle(tr("InsertSBForm"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    buttonInsert_ = new QPushButton(QLatin1String(kInsertSideboardCaption), this);
    buttonInsert_->setObjectName(QStringLiteral("ButtonInsert"));
    buttonInsert_->setMinimumSize(220, 32);
    layout->addWidget(buttonInsert_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(buttonInsert_, &QPushButton::clicked, this, &TInsertSBForm::ButtonInsertClick);
}

std::string TInsertSBForm::DefaultFolder() {
    return ProgramPath("Decks/");
}

void TInsertSBForm::ButtonInsertClick() {
    const std::vector<std::string> files =
        Prompts().AskOpenFileNames(DefaultFolder(), "txt", ToUtf8(tr("Text decks|*.txt;*.dec|All files|*")));
    // The failures are reported together at the end.
    std::string failures;
    for (const TConvertResult& result : InsertSideboardFiles(files)) {
        if (result.Error.empty())
            continue;
        if (!failures.empty())
            failures += '\n';
        failures += result.Error;
    }
    if (!failures.empty())
        ShowError(failures);
}

void OpenInsertSideboard() {
    TInsertSBForm form(QApplication::activeWindow());
    form.exec();
}

} // namespace tovel
