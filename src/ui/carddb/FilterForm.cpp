#include "ui/carddb/FilterForm.h"

#include "core/infra/Words.h"
#include "ui/infra/DialogButtons.h"
#include "ui/infra/QtText.h"
#include "ui/infra/ScreenCentre.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tovel {

TFilterForm::TFilterForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FilterForm"));
    setWindowTitle(tr("Filter"));
    CentreOnScreen(this);

    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(tr("Editions"), this);
    group->setObjectName(QStringLiteral("GroupBoxEditions"));
    auto* groupLayout = new QVBoxLayout(group);

    comboBoxFormats_ = new QComboBox(group);
    comboBoxFormats_->setObjectName(QStringLiteral("ComboBoxFormats"));
    comboBoxFormats_->addItem(tr("None"));
    comboBoxFormats_->addItem(tr("All"));
    const TTextList& formats = FormatList();
    for (int i = 0; i < formats.Count(); ++i)
        comboBoxFormats_->addItem(FromCp1252(NthWord(1, formats[i], ";", true)));
    groupLayout->addWidget(comboBoxFormats_);

    checkListBoxEditions_ = new QListWidget(group);
    checkListBoxEditions_->setObjectName(QStringLiteral("CheckListBoxEditions"));
    checkListBoxEditions_->setUniformItemSizes(true);
    const TTextList& editions = EditionList();
    for (int i = 0; i < editions.Count(); ++i) {
        const QString caption = QStringLiteral("[") + FromCp1252(editions.Name(i)) + QStringLiteral("] ") +
                                FromCp1252(NthWord(2, editions[i], ";", true));
        auto* item = new QListWidgetItem(caption, checkListBoxEditions_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Checked);
    }
    checkListBoxEditions_->setMinimumSize(320, 260);
    groupLayout->addWidget(checkListBoxEditions_);

    auto* mode = new QGroupBox(tr("Filter mode"), group);
    mode->setObjectName(QStringLiteral("RadioGroupCardIsLegal"));
    auto* modeLayout = new QVBoxLayout(mode);
    radioBelongsTo_ = new QRadioButton(tr("Card belongs to"), mode);
    radioBelongsTo_->setObjectName(QStringLiteral("RadioButtonBelongsTo"));
    radioLegalIn_ = new QRadioButton(tr("Card is legal in"), mode);
    radioLegalIn_->setObjectName(QStringLiteral("RadioButtonLegalIn"));
    radioBelongsTo_->setChecked(true);
    modeLayout->addWidget(radioBelongsTo_);
    modeLayout->addWidget(radioLegalIn_);
    groupLayout->addWidget(mode);
    layout->addWidget(group);

    layout->addWidget(AddOkCancelButtons(this, "ButtonOK", "ButtonCancel").box);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    comboBoxFormats_->setCurrentIndex(1);
    connect(comboBoxFormats_, &QComboBox::activated, this, &TFilterForm::ComboBoxFormatsChange);
}

void TFilterForm::CheckAll(bool checked) {
    for (int i = 0; i < checkListBoxEditions_->count(); ++i)
        checkListBoxEditions_->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void TFilterForm::SetFilter(const TCardFilter& filter) {
    if (filter.Editions.empty()) {
        CheckAll(true);
        radioBelongsTo_->setChecked(true);
    } else {
        const TTextList& editions = EditionList();
        for (int i = 0; i < checkListBoxEditions_->count() && i < editions.Count(); ++i)
            checkListBoxEditions_->item(i)->setCheckState(
                CodeListSelects(filter.Editions, editions.Name(i)) ? Qt::Checked : Qt::Unchecked);
        (filter.LegalIn ? radioLegalIn_ : radioBelongsTo_)->setChecked(true);
    }
    comboBoxFormats_->setCurrentIndex(1);
}

void TFilterForm::ComboBoxFormatsChange(int index) {
    if (index <= 0) {
        CheckAll(false);
        return;
    }
    if (index == 1) {
        CheckAll(true);
        return;
    }
    const TTextList& formats = FormatList();
    const int format = index - 2;
    if (format >= formats.Count())
        return;
    const std::string_view codes = formats.Value(format);
    const TTextList& editions = EditionList();
    for (int i = 0; i < checkListBoxEditions_->count() && i < editions.Count(); ++i)
        checkListBoxEditions_->item(i)->setCheckState(
            CodeListSelects(codes, editions.Name(i)) ? Qt::Checked : Qt::Unchecked);
}

TCardFilter TFilterForm::Filter() const {
    TCardFilter result;
    const TTextList& editions = EditionList();
    for (int i = 0; i < checkListBoxEditions_->count() && i < editions.Count(); ++i)
        if (checkListBoxEditions_->item(i)->checkState() == Qt::Checked) {
            result.Editions += editions.Name(i);
            result.Editions += ';';
        }
    if (result.Editions.empty())
        result.Editions = "NONE";
    result.LegalIn = radioLegalIn_->isChecked();
    return result;
}

bool EditCardFilter(TCardFilter& filter) {
    TFilterForm form(QApplication::activeWindow());
    form.SetFilter(filter);
    if (form.exec() != QDialog::Accepted)
        return false;
    filter = form.Filter();
    return true;
}

} // namespace tovel
