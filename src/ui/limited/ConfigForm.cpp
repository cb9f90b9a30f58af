#include "ui/limited/ConfigForm.h"

#include "core/infra/Prompts.h"
#include "core/limited/Booster.h"
#include "core/settings/Settings.h"
#include "ui/infra/DialogButtons.h"
#include "ui/infra/QtText.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tovel {

TConfigForm::TConfigForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ConfigForm"));
    setWindowTitle(QStringLiteral("Configure draft"));

    auto* packs = new QGroupBox(QStringLiteral("Packs"), this);
    auto* packsLayout = new QVBoxLayout(packs);
    for (int i = 0; i < 3; ++i) {
        auto* box = new QComboBox(packs);
        box->setObjectName(QStringLiteral("ComboBox%1").arg(i + 1));
        box->setMinimumWidth(220);
        packsLayout->addWidget(box);
        comboBoxes_[static_cast<size_t>(i)] = box;
    }

    auto* time = new QGroupBox(QStringLiteral("Starting pick time"), this);
    auto* timeLayout = new QHBoxLayout(time);
    upDownTime_ = new QSpinBox(time);
    upDownTime_->setObjectName(QStringLiteral("UpDownTime"));
    upDownTime_->setRange(kPickTimeMin, kPickTimeMax);
    upDownTime_->setValue(SettingsStore::kPickTimeDefault);
    timeLayout->addWidget(upDownTime_);
    timeLayout->addWidget(new QLabel(QStringLiteral("seconds"), time));
    timeLayout->addStretch();

    // The drafters always pick by value; the choice stays in the design but is never shown.
    radioGroupStrategy_ = new QGroupBox(QStringLiteral("Bots strategy"), this);
    radioGroupStrategy_->setObjectName(QStringLiteral("RadioGroupStrategy"));
    auto* strategyLayout = new QVBoxLayout(radioGroupStrategy_);
    for (const char* text : {"Pick at random", "Pick rares first", "Pick by value"})
        strategyLayout->addWidget(new QRadioButton(QLatin1String(text), radioGroupStrategy_));
    radioGroupStrategy_->findChild<QRadioButton*>()->setChecked(true);
    radioGroupStrategy_->setVisible(false);

    auto* drafters = new QGroupBox(QStringLiteral("Computer drafters"), this);
    drafters->setObjectName(QStringLiteral("GroupBoxDrafters"));
    auto* draftersLayout = new QVBoxLayout(drafters);
    radioByValue_ = new QRadioButton(QStringLiteral("Pick by value"), drafters);
    radioByValue_->setObjectName(QStringLiteral("RadioButtonByValue"));
    radioByColours_ = new QRadioButton(QStringLiteral("Pick by value and colours"), drafters);
    radioByColours_->setObjectName(QStringLiteral("RadioButtonByColours"));
    radioByValue_->setChecked(true);
    draftersLayout->addWidget(radioByValue_);
    draftersLayout->addWidget(radioByColours_);

    const OkCancelButtons buttons = AddOkCancelButtons(this, "Button1", "Button2");
    button1_ = buttons.ok;
    button2_ = buttons.cancel;

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(packs);
    layout->addWidget(time);
    layout->addWidget(drafters);
    layout->addWidget(radioGroupStrategy_);
    layout->addWidget(buttons.box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    UpdateOk();
}

void TConfigForm::Initialize() {
    config_.Load(Settings());
    // The packs boosters.ini cannot make are left out of the choices; say which lines are wrong.
    if (const std::string report = BoostersIniReport(); !report.empty())
        ShowError(report);
    const std::vector<std::string> names = config_.DisplayNames();
    for (size_t k = 0; k < comboBoxes_.size(); ++k) {
        QComboBox* box = comboBoxes_[k];
        box->clear();
        for (const std::string& name : names)
            box->addItem(FromCp1252(name));
        box->setCurrentIndex(config_.HasChoices() ? config_.Selected[k] : -1);
    }
    upDownTime_->setValue(config_.PickTime);
    (config_.BotStrategy == 3 ? radioByColours_ : radioByValue_)->setChecked(true);
    UpdateOk();
}

// Without any pack to choose there is nothing OK could store.
void TConfigForm::UpdateOk() {
    button1_->setEnabled(config_.HasChoices());
}

const TDraftConfig& TConfigForm::Config() {
    for (size_t k = 0; k < comboBoxes_.size(); ++k)
        config_.Selected[k] = comboBoxes_[k]->currentIndex();
    config_.PickTime = upDownTime_->value();
    config_.BotStrategy = radioByColours_->isChecked() ? 3 : 2;
    return config_;
}

bool TConfigForm::Store() {
    return Config().Store(Settings());
}

bool ConfigureDraft(QWidget* parent) {
    TConfigForm form(parent);
    form.Initialize();
    return form.exec() == QDialog::Accepted && form.Store();
}

} // namespace tovel
