#pragma once

// The floating card window "Card Info": one card information panel in a small always-on-top
// window that follows the selection of the feature window that opened it.

#include "core/carddb/CardsDB.h"

#include <QWidget>

namespace tovel {

class TCardInfoFrame;

class TViewCardForm final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 390;

    explicit TViewCardForm(QWidget* parent = nullptr);
    TCardInfoFrame* CardInfoFrame() const { return cardInfoFrame_; }

protected:
    // Closing only hides the window; it keeps its place and contents.
    void closeEvent(QCloseEvent* event) override;

private:
    TCardInfoFrame* cardInfoFrame_;
};

// Shows the card (or the not-found state for none) in the floating window, creating the window
// at its saved place on first use. The same card in the visible window is not redrawn.
void ShowCardInfo(const TCardItem* card, const TCardsList& cards = CardDatabase());
// Shows the floating window with no card in it, for a list with nothing selected.
void ShowNoCardInfo();
// Hides the floating window if it is shown.
void HideCardInfo();
// Saves the window's place under "ViewCard" and destroys it; the feature window that used it
// calls this when it closes. Nothing when there is no window.
void DestroyCardInfo();
// Destroys the window without saving its place (shut-down).
void ReleaseCardInfo();
// The floating window, or none.
TViewCardForm* ViewCardForm();

} // namespace tovel
