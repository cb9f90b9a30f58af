#pragma once

// The card search field of a list window: a line for the query, applied to a cards frame as
// you type (after a short pause, so typing never waits for the list), with the number of
// matches beside it, or the reason when the query cannot be read (the list then stays as it
// was). The text is remembered in the settings under the window's name.
//
// A query is matched a slice at a time between the window's events, so that a long one never
// holds up typing: the next keystroke drops it, and the list shows the result of the latest
// query only.

#include "core/carddb/CardQuery.h"
#include "core/collection/Inventory.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QTimer;

namespace tovel {

class TCardsFrame;

class TCardQueryBar final : public QWidget {
    Q_OBJECT
public:
    // `window` names the settings key; `frame` is the list the query narrows.
    TCardQueryBar(const std::string& window, TCardsFrame& frame, QWidget* parent);
    ~TCardQueryBar() override;

    // The inventory `own` counts in, asked for whenever a query with `own` is applied (null:
    // nothing owned).
    std::function<const TInventoryList*()> OwnedFrom;
    // `own` counts in the default inventory file, read when a query first needs it (a missing
    // or unreadable file owns nothing), for windows that have no inventory of their own.
    void UseDefaultInventory();

    // Reads the remembered text and applies it; call after the frame shows its list.
    void Restore();
    // Applies the field's text now (the pause skipped), as the pause's end does: a query that
    // takes longer than a slice goes on between the window's events.
    void Apply();
    // Whether a query is being matched.
    bool Searching() const { return search_ != nullptr; }
    // For tests: a slice matches about this many cards (0: as many as its time allows).
    void SetSliceCards(int cards) { sliceCards_ = cards; }
    // The inventory changed: a query that counts owned copies is applied again.
    void InventoryChanged();

    QLineEdit* Edit() const { return edit_; }
    QLabel* Status() const { return status_; }

private:
    // Drops the query being matched; the list keeps the last one applied.
    void Cancel();
    // Matches the next slice of the database; the list shows the result when it is complete.
    void Continue();
    void Finish();
    // "N matches" for the rows the frame now shows, while a query narrows it and reads well.
    void ShowMatches();

    std::string window_;
    QPointer<TCardsFrame> frame_;
    QLineEdit* edit_;
    QLabel* status_;
    QTimer* pause_;
    QTimer* slice_;
    TCardQuery query_; // the list's
    std::vector<int32_t> owned_;
    // The query being matched, and its search.
    std::string pendingText_;
    TCardQuery pending_;
    std::vector<int32_t> pendingOwned_;
    std::unique_ptr<TCardSearch> search_;
    int sliceCards_ = 0;
    TInventoryList defaultInventory_;
    bool defaultInventoryRead_ = false;
    bool unreadable_ = false; // the status shows why the field's query cannot be read
};

} // namespace tovel
