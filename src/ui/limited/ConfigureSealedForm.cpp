#include "ui/limited/ConfigureSealedForm.h"

#include "core/infra/Prompts.h"
#include "core/limited/Booster.h"
#include "core/limited/Sealed.h"
#include "core/settings/Settings.h"
#include "ui/Openers.h"
#include "ui/platform/QtText.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStringListModel>
#include <QToolButton>
#include <QVBoxLayout>

namespace tovel {

namespace {

QGroupBox* PackGroup(QWidget* parent, const QString& title, QComboBox*& box, QToolButton*& button,
                     const char* boxName, const char* buttonName) {
    auto* group = new QGroupBox(title, parent);
    box = new QComboBox(group);
    box->setObjectName(QLatin1String(boxName));
    box->setMinimumWidth(220);
    button = new QToolButton(group);
    button->setObjectName(QLatin1String(buttonName));
    button->setText(QStringLiteral("+"));
    button->setToolTip(TConfigureSealedForm::tr("Add"));
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(box, 1);
    layout->addWidget(button);
    return group;
}

} // namespace

TConfigureSealedForm::TConfigureSealedForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ConfigureSealedForm"));
    setWindowTitle(tr("Configure Sealed Deck"));

    groupStarters_ = PackGroup(this, tr("Starters"), comboBoxStarter_, speedButtonAddStarter_,
                               "ComboBoxStarter", "SpeedButtonAddStarter");
    groupBoosters_ = PackGroup(this, tr("Boosters"), comboBoxBooster_, speedButtonAddBooster_,
                               "ComboBoxBooster", "SpeedButtonAddBooster");
    auto* cube = new QGroupBox(tr("Cube"), this);
    checkBoxCube_ = new QCheckBox(tr("Deal the packs from a cube"), cube);
    checkBoxCube_->setObjectName(QStringLiteral("CheckBoxCube"));
    comboBoxCube_ = new QComboBox(cube);
    comboBoxCube_->setObjectName(QStringLiteral("ComboBoxCube"));
    spinBoxCubePacks_ = new QSpinBox(cube);
    spinBoxCubePacks_->setObjectName(QStringLiteral("SpinBoxCubePacks"));
    spinBoxCubePacks_->setRange(kSealedCubePacksMin, kSealedCubePacksMax);
    spinBoxCubePacks_->setValue(kSealedCubePacksDefault);
    auto* cubeRow = new QHBoxLayout;
    cubeRow->addWidget(comboBoxCube_, 1);
    cubeRow->addWidget(spinBoxCubePacks_);
    cubeRow->addWidget(new QLabel(tr("packs of %1").arg(kSealedCubePackSize), cube));
    auto* cubeLayout = new QVBoxLayout(cube);
    cubeLayout->addWidget(checkBoxCube_);
    cubeLayout->addLayout(cubeRow);
    listModel_ = new QStringListModel(this);
    listBox_ = new QListView(this);
    listBox_->setObjectName(QStringLiteral("ListBox"));
    listBox_->setModel(listModel_);
    listBox_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listBox_->setUniformItemSizes(true);

    buttonClear_ = new QPushButton(tr("Clear"), this);
    buttonClear_->setObjectName(QStringLiteral("ButtonClear"));
    buttonClear_->setAutoDefault(false);
    button1_ = new QPushButton(tr("OK"), this);
    button1_->setObjectName(QStringLiteral("Button1"));
    button1_->setDefault(true);
    button2_ = new QPushButton(tr("Cancel"), this);
    button2_->setObjectName(QStringLiteral("Button2"));
    button2_->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(buttonClear_);
    buttons->addStretch();
    buttons->addWidget(button1_);
    buttons->addWidget(button2_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(groupStarters_);
    layout->addWidget(groupBoosters_);
    layout->addWidget(listBox_, 1);
    layout->addWidget(cube);
    layout->addLayout(buttons);
    resize(360, 460);

    connect(speedButtonAddStarter_, &QToolButton::clicked, this,
            &TConfigureSealedForm::SpeedButtonAddStarterClick);
    connect(speedButtonAddBooster_, &QToolButton::clicked, this,
            &TConfigureSealedForm::SpeedButtonAddBoosterClick);
    connect(buttonClear_, &QPushButton::clicked, this, &TConfigureSealedForm::ButtonClearClick);
    // A list of packs the generator would refuse (no packs, too many) is said here and the dialog
    // stays; a cube deals its own packs, so the list does not matter then.
    connect(button1_, &QPushButton::clicked, this, [this] {
        const std::string problem =
            CubeChoice().UseCube ? std::string() : SealedConfigProblem(config_.ConfigText);
        if (!problem.empty())
            ShowError(problem);
        else
            accept();
    });
    connect(button2_, &QPushButton::clicked, this, &QDialog::reject);
    connect(checkBoxCube_, &QCheckBox::toggled, this, &TConfigureSealedForm::UpdateSource);
    UpdateSource();
}

void TConfigureSealedForm::Initialize() {
    config_.Load(Settings());
    // The packs boosters.ini cannot make are left out of the choices; say which lines are wrong.
    if (const std::string report = BoostersIniReport(); !report.empty())
        ShowError(report);
    for (QComboBox* box : {comboBoxStarter_, comboBoxBooster_}) {
        box->clear();
        for (int i = 0; i < config_.ChoiceList.Count(); ++i)
            box->addItem(FromCp1252(config_.ChoiceList.Value(i)));
        box->setCurrentIndex(config_.ChoiceList.Count() > 0 ? 0 : -1);
    }
    const bool any = config_.ChoiceList.Count() > 0;
    speedButtonAddStarter_->setEnabled(any);
    speedButtonAddBooster_->setEnabled(any);
    ShowChosenPacks();

    cube_ = LoadSealedCube(Settings());
    const QSignalBlocker quiet(checkBoxCube_);
    comboBoxCube_->clear();
    for (const std::string& name : cube_.Cubes)
        comboBoxCube_->addItem(FromUtf8(name));
    if (!cube_.HasCubes())
        comboBoxCube_->addItem(tr("(no cube in Cubes/)"));
    comboBoxCube_->setCurrentIndex(std::max(0, cube_.Selected));
    spinBoxCubePacks_->setValue(cube_.Count);
    checkBoxCube_->setChecked(cube_.UseCube);
    checkBoxCube_->setEnabled(cube_.HasCubes());
    UpdateSource();
}

TCubeChoice TConfigureSealedForm::CubeChoice() const {
    TCubeChoice choice = cube_;
    choice.UseCube = checkBoxCube_->isChecked() && cube_.HasCubes();
    if (cube_.HasCubes())
        choice.Selected = comboBoxCube_->currentIndex();
    choice.Count = spinBoxCubePacks_->value();
    return choice;
}

// Packs come either from the list of starters and boosters or from the cube.
void TConfigureSealedForm::UpdateSource() {
    const bool cube = checkBoxCube_->isChecked();
    for (QWidget* packs :
         std::initializer_list<QWidget*>{groupStarters_, groupBoosters_, listBox_, buttonClear_})
        packs->setEnabled(!cube);
    comboBoxCube_->setEnabled(cube);
    spinBoxCubePacks_->setEnabled(cube);
}

QStringList TConfigureSealedForm::ChosenLines() const {
    return listModel_->stringList();
}

void TConfigureSealedForm::ShowChosenPacks() {
    QStringList lines;
    for (const std::string& line : config_.ListLines)
        lines << FromCp1252(line);
    listModel_->setStringList(lines);
    if (!lines.isEmpty())
        listBox_->scrollToBottom();
}

void TConfigureSealedForm::SpeedButtonAddStarterClick() {
    config_.AddStarter(comboBoxStarter_->currentIndex());
    ShowChosenPacks();
}

void TConfigureSealedForm::SpeedButtonAddBoosterClick() {
    config_.AddBooster(comboBoxBooster_->currentIndex());
    ShowChosenPacks();
}

void TConfigureSealedForm::ButtonClearClick() {
    config_.Clear();
    ShowChosenPacks();
}

bool OpenSealedConfig() {
    TConfigureSealedForm form(QApplication::activeWindow());
    form.Initialize();
    if (form.exec() != QDialog::Accepted)
        return false;
    form.Config().Store(Settings());
    StoreSealedCube(form.CubeChoice(), Settings());
    return true;
}

} // namespace tovel
