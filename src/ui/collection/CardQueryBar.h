#pragma once

// The card search field of a list window: a line for the query, applied to a cards frame as
// you type (after a short pause, so typing never waits for the list), with the number of
// matches beside it, or the reason when the query cannot be read (the list then stays as it
// was). The text is remembered in the settings under the window's name.

#include "core/carddb/CardQuery.h"
#include "core/collection/Inventory.h"

#include <QPointer>
#include <QWidget>

#include <functional>
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
    // Applies the field's text now (the pause skipped), as the pause's end does.
    void Apply();
    // The inventory changed: a query that counts owned copies is applied again.
    void InventoryChanged();

    QLineEdit* Edit() const { return edit_; }
    QLabel* Status() const { return status_; }

private:
    std::string window_;
    QPointer<TCardsFrame> frame_;
    QLineEdit* edit_;
    QLabel* status_;
    QTimer* pause_;
    TCardQuery query_;
    std::vector<int32_t> owned_;
    TInventoryList defaultInventory_;
    bool defaultInventoryRead_ = false;
};

} // namespace tovel
