#pragma once

#include "core/carddb/DBCreate.h"

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QSlider;
class QVBoxLayout;

namespace tovel {

// The layout dialog of "Create cards DB": shows an imported card-list file line by line and lets
// the user point at the name column and the rarity letter, or choose blank-separated columns.
class TReadCardForm final : public QDialog {
    Q_OBJECT
public:
    // Reads the whole file; Error when it cannot be opened.
    explicit TReadCardForm(const std::string& fileName, QWidget* parent = nullptr);

    int NamePosition() const;
    int NameLength() const;
    int RarityPosition() const;
    // Both trimmed, in the data's code page.
    std::string EditionName() const;
    std::string EditionCode() const;
    int FirstLine() const;
    bool TwoSpaces() const;
    // The layout as chosen; Accepted says whether the dialog was closed with "OK".
    TReadCardRec Result(bool accepted) const;

private:
    // The constructor's steps, in order. ReadLines returns the longest line's length (at most
    // 100,000), the sliders' range.
    int ReadLines(const std::string& fileName);
    void BuildEditionFields(QVBoxLayout* layout, const QString& shortName);
    void BuildColumns(QVBoxLayout* layout, int maximum);
    void BuildModeButtonsAndLinks(QVBoxLayout* layout);
    void UpdateSamples();

    std::vector<std::string> lines_;
    QLineEdit* editEdition_;
    QLineEdit* editED_;
    QListWidget* listBoxStrings_;
    QGroupBox* groupName_;
    QGroupBox* groupRarity_;
    QSlider* trackBarNamePosition_;
    QSlider* trackBarNameLength_;
    QSlider* trackBarRarityPosition_;
    QLineEdit* editName_;
    QLineEdit* editRarity_;
    QCheckBox* checkBoxTwoSpaces_;
};

// Runs the layout dialog on one imported file.
TReadCardRec ReadCardListLayout(const std::string& fileName);

} // namespace tovel
