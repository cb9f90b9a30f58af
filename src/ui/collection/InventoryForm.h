#pragma once

#include "core/collection/Inventory.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <string>

class QAction;
class QPushButton;
class QVBoxLayout;

namespace tovel {

class TCardQueryBar;
class TCardsFrame;

// The inventory window: the whole card database on the left, the inventory on the right,
// buttons between them to add and remove copies, and a menu to load, save, merge, import and
// export.
class TInventoryForm final : public QDialog {
    Q_OBJECT
public:
    explicit TInventoryForm(QWidget* parent = nullptr);
    ~TInventoryForm() override;

    // Loads the data and the default inventory file and lists both.
    void Setup();

    TCardQueryBar* QueryBar() const { return queryBar_; }
    TCardsFrame* CardsFrameBase() const { return cardsFrameBase_; }
    TCardsFrame* CardsFrameInv() const { return cardsFrameInv_; }
    // The collection as edited in the window.
    const TInventoryList& Collection() const { return inventory_; }
    bool Modified() const { return modified_; }
    const std::string& CurrentFile() const { return currentFile_; }
    QAction* Action(const char* objectName) const;

    void done(int result) override;

private:
    // The constructor's steps, in order.
    void BuildMenu(QVBoxLayout* layout);
    void BuildLists(QVBoxLayout* layout);
    void ConnectButtons();
    void AAddCard(bool foil);
    void ADeleteCard(bool foil);
    // Runs a reader on a copy of the inventory (an empty list without `add`), then puts its
    // result in the inventory's place and lists it.
    void ReadIntoInventory(bool add, const std::function<void(TInventoryList&)>& read);
    void ALoadFromFile();
    void ASaveToFile();
    void AAddFromFile();
    void AImportDec(bool add);
    // "Undo import": the collection as it was before the last "Import from .dec".
    void AUndoImport();
    // Forgets the collection kept for "Undo import" (a later change or a save).
    void DropUndo();
    void AExportDec();
    void AClearInventory();
    void AViewCardInfo(bool checked);
    // Shows or hides the card information window; keeps the check mark in step with it.
    void WatchCardInfo();
    // The save question; false when the user cancelled.
    bool AskSaveChanges();
    void Mirror(TCardsFrame* source, TCardsFrame* target);
    void SetModified();
    bool eventFilter(QObject* watched, QEvent* event) override;

    TCardsFrame* cardsFrameBase_;
    TCardQueryBar* queryBar_;
    TCardsFrame* cardsFrameInv_;
    QPushButton* buttonAddCard_;
    QPushButton* buttonDeleteCard_;
    QPushButton* buttonAddFoil_;
    QPushButton* buttonDeleteFoil_;
    QAction* aViewCardInfo_;
    QAction* aUndoImport_;
    // The collection shown on the right and the database's cards on the left; the frames point
    // at them, so the destructor removes the frames first.
    TInventoryList inventory_;
    TInventoryList baseList_;
    // The collection before the last import, and whether it was modified then, while the
    // import can be undone.
    std::unique_ptr<TInventoryList> beforeImport_;
    bool modifiedBeforeImport_ = false;
    bool modified_ = false;
    std::string currentFile_;
    bool syncing_ = false;
    bool closed_ = false;
};

void OpenInventory();

} // namespace tovel
