#include "ui/app/OptionsForm.h"

#include "core/infra/Prompts.h"
#include "core/settings/Options.h"
#include "core/settings/Settings.h"
#include "ui/Openers.h"
#include "ui/app/TovelApplication.h"
#include "ui/controls/DirEdit.h"
#include "ui/platform/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tovel {

TOptionsForm::TOptionsForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("OptionsForm"));
    setWindowTitle(tr("Options"));
    setFixedSize(358, 210);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 0);
    pageControl1_ = new QTabWidget(this);
    pageControl1_->setObjectName(QStringLiteral("PageControl1"));
    auto* tabSheet2 = new QWidget(pageControl1_);
    tabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    pageControl1_->addTab(tabSheet2, tr("Preferences"));

    auto* page = new QVBoxLayout(tabSheet2);
    checkBoxShowImages_ = new QCheckBox(tr("Show card images"), tabSheet2);
    checkBoxShowImages_->setObjectName(QStringLiteral("CheckBoxShowImages"));
    page->addWidget(checkBoxShowImages_);
    auto* row = new QHBoxLayout;
    auto* label1 = new QLabel(tr("Card Images:"), tabSheet2);
    label1->setObjectName(QStringLiteral("Label1"));
    lmDirEditCardImages_ = new TLmDirEdit(tabSheet2);
    lmDirEditCardImages_->setObjectName(QStringLiteral("LmDirEditCardImages"));
    lmDirEditCardImages_->SetDialogCaption(tr("Выберите каталог"));
    label1->setBuddy(lmDirEditCardImages_);
    row->addWidget(label1);
    row->addWidget(lmDirEditCardImages_, 1);
    page->addLayout(row);
    auto* languageRow = new QHBoxLayout;
    auto* labelLanguage = new QLabel(tr("Language:"), tabSheet2);
    comboBoxLanguage_ = new QComboBox(tabSheet2);
    comboBoxLanguage_->setObjectName(QStringLiteral("ComboBoxLanguage"));
    // In the order of TLanguage.
    comboBoxLanguage_->addItems({tr("system"), tr("English"), tr("original")});
    labelLanguage->setBuddy(comboBoxLanguage_);
    languageRow->addWidget(labelLanguage);
    languageRow->addWidget(comboBoxLanguage_, 1);
    page->addLayout(languageRow);
    // The database command stays hidden, as designed; it is not offered from this dialog.
    button3_ = new QPushButton(tr("Create DB from cards.txt and gatherer.txt"), tabSheet2);
    button3_->setObjectName(QStringLiteral("Button3"));
    button3_->setVisible(false);
    connect(button3_, &QPushButton::clicked, this, [] { BuildCardDatabaseCommand(); });
    page->addWidget(button3_);
    page->addStretch(1);
    layout->addWidget(pageControl1_, 1);

    auto* panel1 = new QWidget(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    auto* buttons = new QHBoxLayout(panel1);
    buttons->setContentsMargins(0, 6, 0, 6);
    buttons->addStretch(1);
    button1_ = new QPushButton(tr("OK"), panel1);
    button1_->setObjectName(QStringLiteral("Button1"));
    button1_->setDefault(true);
    button2_ = new QPushButton(tr("Cancel"), panel1);
    button2_->setObjectName(QStringLiteral("Button2"));
    buttons->addWidget(button1_);
    buttons->addWidget(button2_);
    layout->addWidget(panel1);

    connect(checkBoxShowImages_, &QCheckBox::toggled, this, &TOptionsForm::CheckBoxShowImagesClick);
    connect(button1_, &QPushButton::clicked, this, &TOptionsForm::Button1Click);
    // Esc and Cancel close the dialog with nothing saved (QDialog's reject).
    connect(button2_, &QPushButton::clicked, this, &QDialog::reject);
}

void TOptionsForm::Load() {
    const bool show = Settings().ShowImages();
    checkBoxShowImages_->setChecked(show);
    lmDirEditCardImages_->setEnabled(show);
    lmDirEditCardImages_->setText(show ? FromUtf8(Settings().CardImagesDir()) : QString());
    comboBoxLanguage_->setCurrentIndex(static_cast<int>(Settings().Language()));
}

void TOptionsForm::CheckBoxShowImagesClick() {
    lmDirEditCardImages_->setEnabled(checkBoxShowImages_->isChecked());
}

void TOptionsForm::Button1Click() {
    const std::string folder = ToUtf8(lmDirEditCardImages_->text());
    if (const auto message = ValidateCardImagesDir(checkBoxShowImages_->isChecked(), folder)) {
        ShowError(*message);
        return;
    }
    Settings().SetShowImages(checkBoxShowImages_->isChecked());
    Settings().SetCardImagesDir(folder);
    const auto language = static_cast<TLanguage>(comboBoxLanguage_->currentIndex());
    Settings().SetLanguage(language);
    ApplyLanguage(language);
    accept();
}

bool OpenOptions() {
    TOptionsForm form;
    form.Load();
    return form.exec() == QDialog::Accepted;
}

} // namespace tovel
