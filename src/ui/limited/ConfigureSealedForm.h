#pragma once

// "Configure Sealed Deck": the starters and boosters of a sealed pool, stored under
// Sealed/Config when confirmed.

#include "core/carddb/Editions.h"

#include <QDialog>

#include <string>

class QComboBox;
class QListWidget;
class QPushButton;
class QStringListModel;
class QListView;
class QToolButton;

namespace tovel {

class TConfigureSealedForm final : public QDialog {
    Q_OBJECT
public:
    explicit TConfigureSealedForm(QWidget* parent = nullptr);

    // Loads the editions list and the special compositions, fills the pack boxes and shows the
    // stored configuration without the items that can no longer be offered.
    void Initialize();

    // The configuration being edited: type letter, pack name and ";" per pack.
    const std::string& ConfigText() const { return configText_; }
    const TTextList& ChoiceList() const { return choiceList_; }
    // The lines of the list of chosen packs.
    QStringList ChosenLines() const;

private slots:
    void SpeedButtonAddStarterClick();
    void SpeedButtonAddBoosterClick();
    void ButtonClearClick();

private:
    void AddPack(char typeLetter, int choice);
    void ShowChosenPacks();

    TTextList choiceList_;
    std::string configText_;
    QComboBox* comboBoxStarter_;
    QComboBox* comboBoxBooster_;
    QToolButton* speedButtonAddStarter_;
    QToolButton* speedButtonAddBooster_;
    QListView* listBox_;
    QStringListModel* listModel_;
    QPushButton* buttonClear_;
    QPushButton* button1_;
};

} // namespace tovel
