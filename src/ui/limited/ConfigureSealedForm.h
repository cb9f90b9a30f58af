#pragma once

// "Configure Sealed Deck": the starters and boosters of a sealed pool, stored under
// Sealed/Config when confirmed, or packs dealt from a cube (Sealed/UseCube, Sealed/Cube,
// Sealed/CubePacks). The dialog shows and edits the core's TSealedConfig and TCubeChoice.

#include "core/limited/Cube.h"
#include "core/limited/SealedConfig.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QSpinBox;
class QListView;
class QPushButton;
class QStringListModel;
class QToolButton;

namespace tovel {

class TConfigureSealedForm final : public QDialog {
    Q_OBJECT
public:
    explicit TConfigureSealedForm(QWidget* parent = nullptr);

    // Loads the editions list and the special compositions, fills the pack boxes and shows the
    // stored configuration without the items that can no longer be offered.
    void Initialize();

    const TSealedConfig& Config() const { return config_; }
    // The cube part as the controls show it.
    TCubeChoice CubeChoice() const;
    // The lines of the list of chosen packs.
    QStringList ChosenLines() const;

public slots:
    void SpeedButtonAddStarterClick();
    void SpeedButtonAddBoosterClick();
    void ButtonClearClick();

private:
    void ShowChosenPacks();
    void UpdateSource();

    TSealedConfig config_;
    TCubeChoice cube_;
    QGroupBox* groupStarters_;
    QGroupBox* groupBoosters_;
    QCheckBox* checkBoxCube_;
    QComboBox* comboBoxCube_;
    QSpinBox* spinBoxCubePacks_;
    QComboBox* comboBoxStarter_;
    QComboBox* comboBoxBooster_;
    QToolButton* speedButtonAddStarter_;
    QToolButton* speedButtonAddBooster_;
    QListView* listBox_;
    QStringListModel* listModel_;
    QPushButton* buttonClear_;
    QPushButton* button1_;
    QPushButton* button2_;
};

} // namespace tovel
