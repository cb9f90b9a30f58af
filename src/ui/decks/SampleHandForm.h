#pragma once

// "Sample hand": a shuffled opening hand of the main deck as card captions, with a mulligan,
// a further draw and a new hand. The selected card shows in the card information window.

#include "core/decks/SampleHand.h"

#include <QDialog>

#include <optional>

class QLabel;
class QListWidget;
class QPushButton;

namespace tovel {

class TSampleHandForm final : public QDialog {
    Q_OBJECT
public:
    // `library` holds card positions of the card database, one per copy. Without `seed` the hand
    // is dealt from the clock.
    TSampleHandForm(std::vector<int32_t> library, std::optional<uint32_t> seed, QWidget* parent = nullptr);

    const TSampleHand& Hand() const { return hand_; }
    QListWidget* List() const { return list_; }
    QPushButton* Button(const QString& objectName) const;

private:
    void ShowHand();

    RandomSource random_;
    TSampleHand hand_;
    QListWidget* list_;
    QLabel* status_;
    QPushButton* draw_;
};

} // namespace tovel
