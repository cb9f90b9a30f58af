#pragma once

#include "core/collection/Inventory.h"

#include <QDialog>

class QAction;
class QMenuBar;
class QToolBar;

namespace tovel {

class TCardQueryBar;
class TCardsFrame;

// The base viewer "View base": the whole card database as one searchable, filterable list, with
// the card information window at hand. It edits nothing.
class TViewBaseForm final : public QDialog {
    Q_OBJECT
public:
    explicit TViewBaseForm(QWidget* parent = nullptr);
    ~TViewBaseForm() override;

    // Loads the editions, formats and card database and lists them under the stored filter.
    void Setup();

    TCardsFrame* CardsFrameBase() const { return cardsFrameBase_; }
    TCardQueryBar* QueryBar() const { return queryBar_; }
    QAction* ActionViewCardInfo() const { return aViewCardInfo_; }
    QAction* ActionExit() const { return aExit_; }

    void done(int result) override;

private:
    void AViewCardInfoExecute(bool checked);

    TCardsFrame* cardsFrameBase_;
    // The database's cards as the frame lists them; the destructor removes the frame first.
    TInventoryList baseList_;
    TCardQueryBar* queryBar_;
    QAction* aViewCardInfo_;
    QAction* aExit_;
    bool closed_ = false;
};

void OpenBaseViewer();

} // namespace tovel
