#include "ui/decks/DeckListForm.h"

#include "core/decks/DeckList.h"
#include "core/infra/FileIO.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/Prompts.h"
#include "ui/controls/DialogButtons.h"
#include "ui/platform/QtText.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tovel {

TDeckListForm::TDeckListForm(Mode mode, const QString& text, QWidget* parent) : QDialog(parent) {
    const bool import = mode == Mode::Import;
    setObjectName(import ? QStringLiteral("ImportListForm") : QStringLiteral("ExportListForm"));
    setWindowTitle(import ? tr("Import list") : tr("Export list"));
    edit_ = new QPlainTextEdit(this);
    edit_->setObjectName(QStringLiteral("EditList"));
    edit_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    edit_->setPlainText(import ? QApplication::clipboard()->text() : text);
    if (import)
        edit_->setPlaceholderText(tr("4 Card name\n2x Other card [CODE]\n\nSideboard\n1 Spare card"));

    auto* buttons = new QHBoxLayout;
    auto button = [&](const char* name, const QString& caption, auto handler) {
        return AddRowButton(this, buttons, name, caption, std::move(handler));
    };
    const std::string folder = ProgramPath(kDeckFolder);
    if (import) {
        button("ButtonOpenFile", tr("Open file..."), [this, folder] {
            const std::string path = AskOpenFileName(folder, kListExtension, kListFilter);
            if (!path.empty())
                edit_->setPlainText(ReadListFile(path));
        });
        button("ButtonPaste", tr("Paste"),
               [this] { edit_->setPlainText(QApplication::clipboard()->text()); });
        buttons->addStretch();
        button("ButtonImport", tr("Import"), [this] { accept(); })->setDefault(true);
        button("ButtonCancel", tr("Cancel"), [this] { reject(); });
    } else {
        button("ButtonCopy", tr("Copy"), [this] { QApplication::clipboard()->setText(Text()); });
        button("ButtonSaveFile", tr("Save file..."), [this, folder] {
            const std::string path =
                AskSaveTarget(folder, kListExtension, kListFilter, OverwriteDeckQuestion);
            if (path.empty())
                return;
            SaveListFile(path, Text());
        });
        buttons->addStretch();
        button("ButtonClose", tr("Close"), [this] { accept(); });
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edit_, 1);
    layout->addLayout(buttons);
    resize(380, 420);
}

QString TDeckListForm::Text() const {
    return edit_->toPlainText();
}

QPushButton* TDeckListForm::Button(const QString& objectName) const {
    return findChild<QPushButton*>(objectName);
}

void TDeckListForm::SaveListFile(const std::string& path, const QString& text) {
    WriteListFile(path, ToUtf8(text));
}

QString TDeckListForm::ReadListFile(const std::string& path) {
    return FromCp1252(DecodeListBytes(ReadTextFile(path)));
}

} // namespace tovel
