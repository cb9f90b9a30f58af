#include "ui/carddb/FilterForm.h"

#include "ui/controls/DialogButtons.h"
#include "ui/platform/QtText.h"
#include "ui/platform/ScreenCentre.h"

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
        comboBoxFormats_->addItem(FromCp1252(FormatName(formats, i)));
    groupLayout->addWidget(comboBoxFormats_);

    checkListBoxEditions_ = new QListWidget(group);
    checkListBoxEditions_->setObjectName(QStringLiteral("CheckListBoxEditions"));
    checkListBoxEditions_->setUniformItemSizes(true);
    const TTextList& editions = EditionList();
    for (int i = 0; i < editions.Count(); ++i) {
        auto* item = new QListWidgetItem(FromCp1252(EditionCaption(editions, i)), checkListBoxEditions_);
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

    comboBoxFormats_->setCurrentIndex(kFormatChoiceAll);
    connect(comboBoxFormats_, &QComboBox::activated, this, &TFilterForm::ComboBoxFormatsChange);
}

void TFilterForm::SetChecks(const std::vector<bool>& checks) {
    for (int i = 0; i < checkListBoxEditions_->count() && static_cast<size_t>(i) < checks.size(); ++i)
        checkListBoxEditions_->item(i)->setCheckState(checks[static_cast<size_t>(i)] ? Qt::Checked
                                                                                     : Qt::Unchecked);
}

void TFilterForm::SetFilter(const TCardFilter& filter) {
    SetChecks(FilterChecks(filter, EditionList()));
    (!filter.Editions.empty() && filter.LegalIn ? radioLegalIn_ : radioBelongsTo_)->setChecked(true);
    comboBoxFormats_->setCurrentIndex(kFormatChoiceAll);
}

void TFilterForm::ComboBoxFormatsChange(int index) {
    if (const std::optional<std::vector<bool>> checks =
            FormatChoiceChecks(index, FormatList(), EditionList()))
        SetChecks(*checks);
}

TCardFilter TFilterForm::Filter() const {
    std::vector<bool> checked;
    for (int i = 0; i < checkListBoxEditions_->count(); ++i)
        checked.push_back(checkListBoxEditions_->item(i)->checkState() == Qt::Checked);
    return FilterOfChecks(EditionList(), checked, radioLegalIn_->isChecked());
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
