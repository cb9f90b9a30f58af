#pragma once

#include "core/carddb/Editions.h"

#include <QDialog>

class QComboBox;
class QListWidget;
class QRadioButton;

namespace tovel {

// The filter dialog: which editions a card list shows, with the formats as quick selections.
// It edits a copy of a TCardFilter; EditCardFilter copies the result back on "OK".
class TFilterForm final : public QDialog {
    Q_OBJECT
public:
    explicit TFilterForm(QWidget* parent = nullptr);

    // Checks the editions of the filter (all of them when it is empty) and shows its mode.
    void SetFilter(const TCardFilter& filter);
    // The checked editions in list order, each followed by ";" ("NONE" when none is), and the mode.
    TCardFilter Filter() const;

private:
    void ComboBoxFormatsChange(int index);
    void SetChecks(const std::vector<bool>& checks);

    QComboBox* comboBoxFormats_;
    QListWidget* checkListBoxEditions_;
    QRadioButton* radioBelongsTo_;
    QRadioButton* radioLegalIn_;
};

// Runs the filter dialog on a copy of `filter`; on "OK" stores the result and returns true.
bool EditCardFilter(TCardFilter& filter);

} // namespace tovel
