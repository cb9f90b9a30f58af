#pragma once

// "Configure draft": the packs of the three pack turns or a cube to deal them from, the starting
// pick time, whether picks are confirmed, whether the drafters' choice is shown and how the
// computer drafters pick, stored under Draft/ when confirmed.

#include "core/limited/DraftConfig.h"

#include <QDialog>

#include <array>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace tovel {

class TConfigForm final : public QDialog {
    Q_OBJECT
public:
    explicit TConfigForm(QWidget* parent = nullptr);

    // Fills the pack boxes from the editions list in memory and Data/boosters.ini, then shows the
    // stored pick time and configuration.
    void Initialize();

    // The configuration as the controls show it now.
    const TDraftConfig& Config();
    // OK: stores the configuration; false when there was nothing to store.
    bool Store();

private:
    void UpdateOk();
    // The configuration the controls show, without taking it.
    TDraftConfig Shown() const;

    TDraftConfig config_;
    QRadioButton* radioBoosters_;
    std::array<QComboBox*, 3> comboBoxes_{};
    QRadioButton* radioCube_;
    QComboBox* comboBoxCube_;
    QSpinBox* spinBoxPackSize_;
    QComboBox* comboBoxPickTime_;
    QCheckBox* checkBoxConfirmPicks_;
    QCheckBox* checkBoxShowChoice_;
    QGroupBox* radioGroupStrategy_;
    QRadioButton* radioByValue_;
    QRadioButton* radioByColours_;
    QPushButton* button1_;
    QPushButton* button2_;
};

// Runs the dialog; on OK stores the configuration and the pick time and returns true.
bool ConfigureDraft(QWidget* parent = nullptr);

} // namespace tovel
