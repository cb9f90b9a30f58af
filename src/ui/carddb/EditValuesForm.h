#pragma once

#include "core/carddb/CardsDB.h"
#include "core/carddb/IntList.h"

#include <QDialog>

class QComboBox;
class QHBoxLayout;
class QSlider;
class QTreeView;

namespace tovel {

class TCardInfoFrame;
class TCardListModel;

// The card values editor: the cards of one edition at a time, the selected card shown, and its
// pick value (0 "Junk" .. 10 "Bomb") set with a slider. Values change in the card database at
// once; "Save changes" makes them permanent.
class TEditValuesForm final : public QDialog {
    Q_OBJECT
public:
    explicit TEditValuesForm(QWidget* parent = nullptr);
    ~TEditValuesForm() override;

    // Fills the edition box from EditionList and lists its first edition. The card database
    // must be loaded.
    void FillEditions();
    // Lists the cards of the edition at this position of EditionList.
    void Collect(int editionIndex);

    TSortMode SortMode() const { return sortMode_; }
    const TIntegerList& Positions() const { return positions_; }

private:
    // The constructor's steps, in order.
    void BuildCardList(QHBoxLayout* layout);
    void BuildValueSide(QHBoxLayout* layout);
    void ConnectControls();
    // "Save changes": base.txt written, then the window closes; a failed write keeps it open.
    void SaveAndClose();
    void List();
    void ListViewCardsSelect();
    void TrackBarValueChange(int value);
    void ListViewCardsColumnClick();

    QComboBox* comboBoxEditions_;
    QTreeView* listViewCards_;
    TCardListModel* model_;
    TCardInfoFrame* cardInfo_;
    QSlider* trackBarValue_;
    TIntegerList positions_;
    TSortMode sortMode_ = TSortMode::None;
    bool showing_ = false;
};

// Opens the values editor over the whole card database; "Save changes" writes Data/base.txt.
void OpenCardValuesEditor();

} // namespace tovel
