#include "ui/limited/ConfigForm.h"

#include "core/infra/Prompts.h"
#include "core/limited/Booster.h"
#include "core/settings/Settings.h"
#include "ui/controls/DialogButtons.h"
#include "ui/platform/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tovel {

TConfigForm::TConfigForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ConfigForm"));
    setWindowTitle(tr("Configure draft"));

    auto* packs = new QGroupBox(tr("Packs"), this);
    auto* packsLayout = new QVBoxLayout(packs);
    radioBoosters_ = new QRadioButton(tr("&Boosters"), packs);
    radioBoosters_->setObjectName(QStringLiteral("RadioButtonBoosters"));
    packsLayout->addWidget(radioBoosters_);
    for (int i = 0; i < 3; ++i) {
        auto* box = new QComboBox(packs);
        box->setObjectName(QStringLiteral("ComboBox%1").arg(i + 1));
        box->setMinimumWidth(220);
        packsLayout->addWidget(box);
        comboBoxes_[static_cast<size_t>(i)] = box;
    }
    radioCube_ = new QRadioButton(tr("C&ube"), packs);
    radioCube_->setObjectName(QStringLiteral("RadioButtonCube"));
    packsLayout->addWidget(radioCube_);
    comboBoxCube_ = new QComboBox(packs);
    comboBoxCube_->setObjectName(QStringLiteral("ComboBoxCube"));
    spinBoxPackSize_ = new QSpinBox(packs);
    spinBoxPackSize_->setObjectName(QStringLiteral("SpinBoxPackSize"));
    spinBoxPackSize_->setRange(kCubePackSizeMin, kCubePackSizeMax);
    spinBoxPackSize_->setValue(kCubePackSizeDefault);
    auto* cubeLayout = new QFormLayout;
    cubeLayout->addRow(comboBoxCube_);
    cubeLayout->addRow(tr("Cards per pack"), spinBoxPackSize_);
    packsLayout->addLayout(cubeLayout);
    radioBoosters_->setChecked(true);

    auto* time = new QGroupBox(tr("Starting pick time"), this);
    auto* timeLayout = new QVBoxLayout(time);
    comboBoxPickTime_ = new QComboBox(time);
    comboBoxPickTime_->setObjectName(QStringLiteral("ComboBoxPickTime"));
    for (int seconds : kPickTimePresets)
        comboBoxPickTime_->addItem(seconds == kUntimedPick ? tr("Untimed") : tr("%1 seconds").arg(seconds),
                                   seconds);
    comboBoxPickTime_->setCurrentIndex(comboBoxPickTime_->findData(SettingsStore::kPickTimeDefault));
    checkBoxConfirmPicks_ = new QCheckBox(tr("Con&firm picks"), this);
    checkBoxConfirmPicks_->setToolTip(
        tr("The first Enter, double click or \"Pick\" marks the card; a second one takes it"));
    checkBoxConfirmPicks_->setObjectName(QStringLiteral("CheckBoxConfirmPicks"));
    timeLayout->addWidget(comboBoxPickTime_);
    checkBoxShowChoice_ = new QCheckBox(tr("Show the drafters' &choice"), this);
    checkBoxShowChoice_->setObjectName(QStringLiteral("CheckBoxShowChoice"));
    checkBoxShowChoice_->setToolTip(tr("Outlines the card of your booster the computer drafters "
                                       "would take with your picks so far"));

    // The drafters always pick by value; the choice stays in the design but is never shown.
    radioGroupStrategy_ = new QGroupBox(tr("Bots strategy"), this);
    radioGroupStrategy_->setObjectName(QStringLiteral("RadioGroupStrategy"));
    auto* strategyLayout = new QVBoxLayout(radioGroupStrategy_);
    for (const char* text :
         {QT_TR_NOOP("Pick at random"), QT_TR_NOOP("Pick rares first"), QT_TR_NOOP("Pick by value")})
        strategyLayout->addWidget(new QRadioButton(tr(text), radioGroupStrategy_));
    radioGroupStrategy_->findChild<QRadioButton*>()->setChecked(true);
    radioGroupStrategy_->setVisible(false);

    auto* drafters = new QGroupBox(tr("Computer drafters"), this);
    drafters->setObjectName(QStringLiteral("GroupBoxDrafters"));
    auto* draftersLayout = new QVBoxLayout(drafters);
    radioByValue_ = new QRadioButton(tr("Pick by value"), drafters);
    radioByValue_->setObjectName(QStringLiteral("RadioButtonByValue"));
    radioByColours_ = new QRadioButton(tr("Pick by value and colours"), drafters);
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
    layout->addWidget(checkBoxConfirmPicks_);
    layout->addWidget(checkBoxShowChoice_);
    layout->addWidget(drafters);
    layout->addWidget(radioGroupStrategy_);
    layout->addWidget(buttons.box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    for (QRadioButton* radio : {radioBoosters_, radioCube_})
        connect(radio, &QRadioButton::toggled, this, &TConfigForm::UpdateOk);
    connect(comboBoxCube_, &QComboBox::currentIndexChanged, this, &TConfigForm::UpdateOk);
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
    {
        const QSignalBlocker quiet(comboBoxCube_);
        comboBoxCube_->clear();
        for (const std::string& name : config_.Cube.Cubes)
            comboBoxCube_->addItem(FromUtf8(name));
        if (!config_.Cube.HasCubes())
            comboBoxCube_->addItem(tr("(no cube in Cubes/)"));
        comboBoxCube_->setCurrentIndex(std::max(0, config_.Cube.Selected));
    }
    radioCube_->setEnabled(config_.Cube.HasCubes());
    spinBoxPackSize_->setValue(config_.Cube.Count);
    (config_.Cube.UseCube ? radioCube_ : radioBoosters_)->setChecked(true);
    comboBoxPickTime_->setCurrentIndex(comboBoxPickTime_->findData(config_.PickTime));
    checkBoxConfirmPicks_->setChecked(config_.ConfirmPicks);
    checkBoxShowChoice_->setChecked(config_.ShowChoice);
    (config_.BotStrategy == kPickByValueAndColors ? radioByColours_ : radioByValue_)->setChecked(true);
    UpdateOk();
}

// The controls of the source not chosen rest; OK needs something to store.
void TConfigForm::UpdateOk() {
    const bool cube = radioCube_->isChecked();
    for (QComboBox* box : comboBoxes_)
        box->setEnabled(!cube);
    comboBoxCube_->setEnabled(cube);
    spinBoxPackSize_->setEnabled(cube);
    button1_->setEnabled(Shown().CanStore());
}

TDraftConfig TConfigForm::Shown() const {
    TDraftConfig shown = config_;
    for (size_t k = 0; k < comboBoxes_.size(); ++k)
        shown.Selected[k] = comboBoxes_[k]->currentIndex();
    shown.Cube.UseCube = radioCube_->isChecked();
    if (shown.Cube.HasCubes())
        shown.Cube.Selected = comboBoxCube_->currentIndex();
    shown.Cube.Count = spinBoxPackSize_->value();
    shown.PickTime = comboBoxPickTime_->currentData().toInt();
    shown.ConfirmPicks = checkBoxConfirmPicks_->isChecked();
    shown.ShowChoice = checkBoxShowChoice_->isChecked();
    shown.BotStrategy = radioByColours_->isChecked() ? kPickByValueAndColors : kPickByValue;
    return shown;
}

const TDraftConfig& TConfigForm::Config() {
    config_ = Shown();
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
