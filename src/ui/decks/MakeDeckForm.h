#pragma once

// "Deck designer": splits a set of cards into a main deck and a sideboard, adds basic lands,
// shows the statistics and saves the deck. The window displays the core's TDeckDesigner and
// forwards the user's commands to it.

#include "core/decks/DeckDesigner.h"

#include <QDialog>

#include <array>
#include <optional>

class QAction;
class QLabel;
class QLayout;
class QSplitter;
class QToolButton;

namespace tovel {

class TLmActionMainMenuBar;
class TLmActionToolBar;
class TLmCoolBar;
class TCardListView;
class TCurveChart;
class TDeckBrowserPanel;
class TDeckStatsPanel;
class TOddsPanel;

class TMakeDeckForm final : public QDialog {
    Q_OBJECT
public:
    explicit TMakeDeckForm(QWidget* parent = nullptr);
    ~TMakeDeckForm() override;

    // Loads the card database unless `databaseLoaded`, finds the basic lands and, with
    // `openTempDeck`, reads the hand-off file into the sideboard.
    void Initialize(bool openTempDeck, bool databaseLoaded);

    TDeckDesigner& Designer() { return designer_; }
    TCardListView* List(TZone zone) const { return zone == TZone::Main ? listViewDeck_ : listViewSideboard_; }
    QAction* Action(const QString& objectName) const;
    TDeckBrowserPanel* Browser() const { return browser_; }
    TDeckStatsPanel* StatsPanel() const { return statsPanel_; }
    TCurveChart* Chart() const { return curveChart_; }
    TOddsPanel* Odds() const { return oddsPanel_; }

    // "Card browser": shows or hides the browser panel; the window grows or shrinks by its width.
    void ShowBrowser(bool visible);
    // One copy of a card of the card database into a zone, as the browser adds it.
    void AddCard(int position, bool sideboard);
    // Reads a plain-text list into the deck, replacing it; lines it cannot take are listed in one
    // question first. False when nothing was imported.
    bool ImportListText(const QString& text);
    QString ExportListText() const;
    // "Build deck from pool...": the colour sets of the deck's cards ranked; OK replaces both zones
    // with the deck of the chosen set, after asking when the main deck holds cards.
    void BuildFromPool();
    // Opens that dialog once the window is up (a pool handed from a draft or a sealed pool).
    void OfferBuildFromPool();
    // The sample hand's seed; none: the clock.
    void SetSampleHandSeed(std::optional<uint32_t> seed) { sampleHandSeed_ = seed; }

public slots:
    // "Deck/Sideboard": one copy of the focused list's selected card to the other list.
    void AMoveCardExecute();
    // "Remove": one copy of the focused list's selected card.
    void ARemoveCardExecute();
    void AddLand(int land);
    // Shows the model's zones afresh: both lists and the statistics.
    void RefillLists();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QToolButton* SideButton(const QString& name, const QIcon& icon);
    // The constructor's steps, in order.
    void BuildCoolBar();
    void BuildZoneLists();
    void BuildBrowser();
    QLayout* BuildStatistics(); // returns the row of counts and curve
    void LayOut(QLayout* statsRow);
    void ConnectLists();
    void RestoreGeometry();
    void CreateActions();
    void CreateBuildActions();
    void ShowOdds();
    void Load(bool toSideboard, bool add);
    void Move(TZone zone, int row);
    void Remove(TZone zone, int row);
    // The zone of the list that has (or last had) the focus.
    TZone ActiveZone() const { return activeZone_; }
    void RefillList(TZone zone, int selectRow);
    void ShowStatistics();
    void ApplyLands();
    void ImportList();
    void ExportList();
    void SampleHand();
    void RememberBrowserWidth();
    int BrowserWidth() const;
    void ShowCardOf(TZone zone, bool openWindow);
    void FormDestroy();

    TDeckDesigner designer_;
    TZone activeZone_ = TZone::Main;
    bool destroyed_ = false;
    // Only a window that was on screen has a geometry worth keeping.
    bool shown_ = false;
    QMetaObject::Connection focusConnection_;

    TLmCoolBar* coolBar_;
    TLmActionMainMenuBar* menuBar_;
    TLmActionToolBar* toolBar_;
    TCardListView* listViewDeck_;
    TCardListView* listViewSideboard_;
    QSplitter* splitter_;
    QSplitter* browserSplitter_;
    TDeckBrowserPanel* browser_;
    TDeckStatsPanel* statsPanel_;
    TCurveChart* curveChart_;
    TOddsPanel* oddsPanel_;
    QAction* aShowBrowser_ = nullptr;
    std::optional<uint32_t> sampleHandSeed_;
    std::array<QToolButton*, 5> landButtons_{};
    QToolButton* moveButton_;
    QToolButton* removeButton_;
    QLabel* labelMainCount_;
    QLabel* labelSBCount_;
    QLabel* labelTotalCount_;
    QLabel* labelLandCount_;
    QLabel* labelCreatureCount_;
    QLabel* labelSpellCount_;
    QLabel* labelLandSB_;
    QLabel* labelCreatureSB_;
    QLabel* labelSpellSB_;
    QLabel* labelLandsTotal_;
    QLabel* labelCreaturesTotal_;
    QLabel* labelSpellsTotal_;
};

} // namespace tovel
