// tovel-screens: renders every window of the program to PNG files, offscreen, on the sample
// world beside the programs.
//
//   tovel-screens OUTDIR
//
// Windows that show a card show a sample card with its picture, badge and cost.

#include "core/carddb/CardDatabase.h"
#include "core/carddb/CardsDB.h"
#include "core/collection/Inventory.h"
#include "core/infra/FileIO.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/ProgramFiles.h"
#include "core/settings/Settings.h"
#include "ui/app/AboutForm.h"
#include "ui/app/MainForm.h"
#include "ui/app/OptionsForm.h"
#include "ui/app/Startup.h"
#include "ui/app/TovelApplication.h"
#include "ui/carddb/EditValuesForm.h"
#include "ui/carddb/FilterForm.h"
#include "ui/carddb/ReadCardForm.h"
#include "ui/cardviews/CardInfoFrame.h"
#include "ui/cardviews/ViewCardForm.h"
#include "ui/collection/CardQueryBar.h"
#include "ui/collection/CardsFrame.h"
#include "ui/collection/InventoryForm.h"
#include "ui/collection/ViewBaseForm.h"
#include "ui/controls/DirEdit.h"
#include "ui/decks/BuildDeckForm.h"
#include "ui/decks/CardListView.h"
#include "ui/decks/InsertSBForm.h"
#include "ui/decks/MakeDeckForm.h"
#include "ui/decks/OddsPanel.h"
#include "ui/decks/SampleHandForm.h"
#include "ui/graphics/Icons.h"
#include "ui/limited/ConfigForm.h"
#include "ui/limited/ConfigureSealedForm.h"
#include "ui/limited/DraftMainForm.h"
#include "ui/limited/DraftReviewForm.h"
#include "ui/style/LmActnCtrls.h"
#include "ui/style/LmCoolBar.h"
#include "ui/wait/WaitForm.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>
#include <cstdlib>

using namespace tovel;

namespace {

QString outDir;
int written = 0;

void Save(const QImage& image, const char* name) {
    const QString path = outDir + QStringLiteral("/") + QLatin1String(name) + QStringLiteral(".png");
    if (!image.save(path)) {
        std::fprintf(stderr, "tovel-screens: cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    std::printf("%s\n", qPrintable(path));
    ++written;
}

// A shown window, after its pending layout and paint events.
QImage Shot(QWidget* widget) {
    widget->show();
    QCoreApplication::processEvents();
    return widget->grab().toImage();
}

// A window with its caption drawn above it, since the offscreen platform draws no frames.
QImage Framed(QWidget* widget) {
    const QImage body = Shot(widget);
    constexpr int kCaption = 22;
    QImage image(body.width() + 2, body.height() + kCaption + 1, QImage::Format_RGB32);
    image.fill(QColor(90, 110, 140));
    QPainter p(&image);
    QFont font = widget->font();
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(6, 0, image.width() - 12, kCaption), Qt::AlignVCenter | Qt::AlignLeft,
               widget->windowTitle());
    p.drawImage(1, kCaption, body);
    return image;
}

const TCardItem* SampleCard(const char* preferred) {
    TCardsList& cards = CardDatabase();
    const int index = cards.IndexOfName(preferred);
    if (index >= 0)
        return &cards.Items(index);
    for (int i = 0; i < cards.Count(); ++i)
        if (cards.Items(i).Rarity != TRarity::L && cards.Items(i).Color == TCardColor::Z)
            return &cards.Items(i);
    return cards.Count() > 0 ? &cards.Items(0) : nullptr;
}

void MainWindow() {
    TMainForm form;
    Save(Framed(&form), "main-window");
    TAboutForm about;
    about.SetTitle(QStringLiteral("Tovel v0.95"));
    Save(Framed(&about), "about");
}

void WaitWindows() {
    ShowWait("Please wait...");
    Save(Framed(TopWaitForm()), "wait-message");
    CloseWait();
    ShowWait("Copying the card database\rto the backup folder", 100, nullptr, true, "");
    UpdateWait("", 40);
    Save(Framed(TopWaitForm()), "wait-progress");
    CloseWait();
}

void CardInfo() {
    ShowCardInfo(SampleCard("Naalir Oracle"));
    Save(Framed(ViewCardForm()), "card-info");
    // A split card, if the world has one.
    for (int i = 0; i < CardDatabase().Count(); ++i)
        if (CardDatabase().Items(i).IsSplit) {
            ShowCardInfo(&CardDatabase().Items(i));
            Save(Framed(ViewCardForm()), "card-info-split");
            break;
        }
    ShowCardInfo(nullptr);
    Save(Framed(ViewCardForm()), "card-info-not-found");
    ReleaseCardInfo();
}

void Options() {
    TOptionsForm form;
    form.Load();
    form.CheckBoxShowImages()->setChecked(true);
    form.LmDirEditCardImages()->setText(QString::fromStdString(ProgramPath(kDataFolder)));
    Save(Framed(&form), "options");
}

// A feature window's top: the cool bar with the menu bar and the tool bar in Lm Style, and a
// pop-up menu open under its first entry.
void LmStyleMenu() {
    QWidget window;
    window.setWindowTitle(QStringLiteral("Lm Style"));
    window.resize(420, 230);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* cool = new TLmCoolBar(&window);
    auto* bar = new TLmActionMainMenuBar;
    QMenu* file = bar->AddMenu(QStringLiteral("&File"));
    file->addAction(ToolBarIcon(ToolIcon::LoadDeck), QStringLiteral("&Load deck..."))
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    file->addAction(ToolBarIcon(ToolIcon::SaveDeck), QStringLiteral("&Save deck"))
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    file->addSeparator();
    file->addAction(ToolBarIcon(ToolIcon::Exit), QStringLiteral("E&xit"));
    QMenu* cards = bar->AddMenu(QStringLiteral("&Cards"));
    cards->addAction(ToolBarIcon(ToolIcon::ViewCardInfo), QStringLiteral("&View card info"));
    cards->addAction(ToolBarIcon(ToolIcon::AddCard), QStringLiteral("&Add card"));
    cards->addAction(ToolBarIcon(ToolIcon::AddFoil), QStringLiteral("Add &foil"));
    cards->addAction(ToolBarIcon(ToolIcon::DeleteCard), QStringLiteral("&Delete card"))->setEnabled(false);
    cards->addAction(ToolBarIcon(ToolIcon::DeleteFoil), QStringLiteral("Delete f&oil"));
    bar->AddMenu(QStringLiteral("&Help"));
    auto* tools = new TLmActionToolBar;
    for (int i = 0; i < kToolIconCount; ++i)
        tools->addAction(ToolBarIcon(i), QStringLiteral("Icon %1").arg(i));
    cool->AddBand(bar);
    cool->AddBand(tools);
    layout->addWidget(cool);
    layout->addStretch(1);
    const QImage body = Framed(&window);

    bar->setActiveAction(cards->menuAction());
    cards->popup(window.mapToGlobal(bar->actionGeometry(cards->menuAction()).bottomLeft()));
    cards->setActiveAction(cards->actions().at(1));
    QCoreApplication::processEvents();
    const QImage withOpenEntry = Framed(&window);
    const QImage menu = cards->grab().toImage();
    const QPoint at = bar->actionGeometry(cards->menuAction()).bottomLeft() + QPoint(1, 22 + 1);
    QImage composed = withOpenEntry;
    QPainter p(&composed);
    p.drawImage(at, menu);
    p.end();
    Save(composed, "lm-style-menu");
    cards->hide();
    Save(body, "lm-style-bars");

    // The icon set at two sizes.
    QImage icons(kToolIconCount * 40 + 8, 64, QImage::Format_RGB32);
    icons.fill(Qt::white);
    QPainter ip(&icons);
    for (int i = 0; i < kToolIconCount; ++i) {
        ToolBarIcon(i).paint(&ip, QRect(8 + i * 40, 6, 16, 16));
        ToolBarIcon(i).paint(&ip, QRect(8 + i * 40, 28, 32, 32));
    }
    ip.end();
    Save(icons, "icons");
}

// The collection and maintenance windows, with a card searched for and a few more owned.
void CollectionWindows() {
    Settings().SetEditionsFilter("");
    Settings().SetShowImages(true); // the card windows with their pictures
    {
        TViewBaseForm form;
        form.Setup();
        form.resize(420, 520);
        form.CardsFrameBase()->EditSearch()->setText(QStringLiteral("Naalir"));
        Save(Framed(&form), "base-viewer");
        form.hide();
    }
    {
        // A card search with the card columns shown.
        Settings().SetBaseColumns("5,6,7,8,9");
        TViewBaseForm form;
        form.Setup();
        form.resize(760, 520);
        form.QueryBar()->Edit()->setText(QStringLiteral("t:creature c:g cmc<=3"));
        form.QueryBar()->Apply();
        Save(Framed(&form), "base-viewer-search");
        form.QueryBar()->Edit()->setText(QStringLiteral("t:creature c:g cmc<=x"));
        form.QueryBar()->Apply();
        Save(Framed(&form), "base-viewer-bad-search");
        form.QueryBar()->Edit()->clear();
        form.QueryBar()->Apply();
        Settings().SetBaseColumns("");
        form.hide();
    }
    {
        TInventoryForm form;
        form.Setup();
        for (const char* name : {"Naalir Oracle", "Quelarr Orrery", "Kessul Ambush"}) {
            form.CardsFrameBase()->EditSearch()->setText(QLatin1String(name));
            form.CardsFrameInv()->AddCopy(*form.CardsFrameBase()->CurrentCard(), false);
        }
        form.CardsFrameInv()->Rebuild();
        Save(Framed(&form), "inventory");
        form.hide();
    }
    {
        TFilterForm form;
        form.SetFilter({"VR;HK;", true});
        Save(Framed(&form), "filter");
    }
    {
        TEditValuesForm form;
        LoadEditionList(EditionList(), ProgramPath(kEditionsFile));
        form.FillEditions();
        Save(Framed(&form), "edit-values");
    }
    {
        const std::string file = ProgramPath("Temp/screens-cardlist.txt");
        EnsureDirectory(ProgramPath("Temp"));
        WriteFileAtomically(
            file, "Card list: Verdant Reaches\r\nKessul Ambush          R\r\nNaalir Oracle          R\r\n");
        {
            TReadCardForm form(file);
            Save(Framed(&form), "create-cards-layout");
        }
        std::remove(file.c_str());
    }
    {
        TInsertSBForm form;
        Save(Framed(&form), "insert-sb");
    }
}

// Picks the first card of the booster in front of the user, as a double click does.
void PickFirst(TDraftMainForm& draft) {
    auto* list = draft.findChild<TCardListView*>(QStringLiteral("ListView"));
    list->SelectRow(0);
    draft.ListViewDblClick();
}

// The limited journey: the draft configuration, the draft mid-way and finished, the sealed
// configuration and the deck designer building a deck from the user's picks.
void LimitedWindows() {
    Settings().SetDraftConfig("VR;HK;Tidebreak Expedition;");
    Settings().SetDraftPickTime(40);
    TDraftEngine::LoadTableData();
    {
        TConfigForm config;
        config.Initialize();
        Save(Framed(&config), "draft-config");
    }
    std::vector<int32_t> picks;
    {
        TDraftMainForm draft;
        draft.Engine().SetFixedSeed(11);
        // The window asks for its configuration when first shown: confirm it as stored.
        QTimer confirm;
        QObject::connect(&confirm, &QTimer::timeout, [] {
            if (auto* form = qobject_cast<TConfigForm*>(QApplication::activeModalWidget()))
                form->accept();
        });
        confirm.start(5);
        draft.resize(1000, 600);
        draft.show();
        for (int i = 0; i < 200 && draft.Engine().State() != TDraftState::Picking; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        confirm.stop();
        for (int pick = 0; pick < 15; ++pick)
            PickFirst(draft);
        draft.ListViewDblClick(); // "Next" into pack turn 2
        for (int pick = 0; pick < 4; ++pick)
            PickFirst(draft);
        draft.TimerTimer();
        Save(Framed(&draft), "draft-picking");
        // "Confirm picks": the first press marks the selected card.
        draft.findChild<QAction*>(QStringLiteral("ConfirmPicks"))->setChecked(true);
        draft.findChild<TCardListView*>(QStringLiteral("ListView"))->SelectRow(2);
        draft.ListViewDblClick();
        Save(Framed(&draft), "draft-marked");
        draft.findChild<QAction*>(QStringLiteral("ConfirmPicks"))->setChecked(false);
        while (draft.Engine().State() != TDraftState::Finished) {
            if (draft.Engine().State() == TDraftState::BetweenTurns)
                draft.ListViewDblClick();
            PickFirst(draft);
        }
        draft.findChild<QTabBar*>(QStringLiteral("TabControlDecks"))->setCurrentIndex(2);
        Save(Framed(&draft), "draft-finished");
        {
            // The review of that draft: the user's second pick, then a drafter in pack turn 2.
            TDraftReviewForm review(draft.Engine().Record(), CardDatabase());
            review.ShowStep(1);
            Save(Framed(&review), "draft-review");
            review.ShowSeat(3);
            review.ShowStep(17);
            Save(Framed(&review), "draft-review-drafter");
        }
        for (int32_t card : draft.Engine().Seats().Items(0).Picks)
            picks.push_back(card);
    }
    {
        // A cube draft of 10-card packs, untimed.
        Settings().SetDraftUseCube(true);
        Settings().SetDraftCube("Sample Cube");
        Settings().SetDraftPackSize(10);
        Settings().SetDraftPickTime(kUntimedPick);
        TConfigForm config;
        config.Initialize();
        Save(Framed(&config), "draft-config-cube");
        Settings().SetDraftUseCube(false);
        Settings().SetDraftPickTime(40);
    }
    {
        TConfigureSealedForm sealed;
        sealed.Initialize();
        sealed.SpeedButtonAddStarterClick();
        sealed.SpeedButtonAddBoosterClick();
        sealed.SpeedButtonAddBoosterClick();
        Save(Framed(&sealed), "sealed-config");
    }
    {
        // The designer on the user's picks (the draft's card database is still loaded), with
        // part of a main deck built.
        TMakeDeckForm designer;
        designer.Initialize(false, true);
        for (int32_t card : picks)
            designer.Designer().AddCopy(TZone::Sideboard, card);
        designer.RefillLists();
        designer.show();
        TCardListView* sideboard = designer.List(TZone::Sideboard);
        for (int move = 0; move < 16; ++move) {
            sideboard->SelectRow(0);
            designer.AMoveCardExecute();
        }
        for (int land = 0; land < 9; ++land)
            designer.AddLand(land % 2 == 0 ? 1 : 2);
        Save(Framed(&designer), "designer-building");
        // The same deck beside the card browser, and a sample hand of it.
        designer.ShowBrowser(true);
        Save(Framed(&designer), "designer-browser");
        TSampleHandForm hand(LibraryOf(CardDatabase(), designer.Designer().Zones().Main), 7, &designer);
        Save(Framed(&hand), "sample-hand");
        // The deck built from the pool in one step, its odds on the draw.
        designer.ShowBrowser(false);
        TBuildDeckForm build(CardDatabase(), designer.Designer().Pool(), &designer);
        Save(Framed(&build), "build-deck");
        designer.Designer().ApplyBuiltDeck(build.Deck(), build.Pool());
        designer.Odds()->SetOnTheDraw(true);
        designer.RefillLists();
        Save(Framed(&designer), "designer-built");
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tovel-screens OUTDIR\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TovelApplication app(argc, argv);
    outDir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outDir);
    ProgramSession session(ExecutablePath(argv[0]));
    // The texts in the language the program would choose (Options, then the system locale).
    app.SetLanguage(Settings().Language());
    try {
        TTextList& editions = EditionList();
        LoadEditionList(editions, ProgramPath(kEditionsFile));
        LoadCardDatabase(CardDatabase(), ProgramPath(kCardDatabaseFile), "");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tovel-screens: the sample world could not be loaded: %s\n", e.what());
        return 1;
    }
    MainWindow();
    WaitWindows();
    CardInfo();
    Options();
    LmStyleMenu();
    CollectionWindows();
    LimitedWindows();
    std::printf("tovel-screens: %d images\n", written);
    return 0;
}
