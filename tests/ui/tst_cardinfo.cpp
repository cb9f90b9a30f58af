#include "core/carddb/CardDatabase.h"
#include "core/carddb/CardText.h"
#include "core/carddb/CardsDB.h"
#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "core/infra/ProgramDir.h"
#include "core/settings/Settings.h"
#include "support/TempDir.h"
#include "support/WindowTests.h"
#include "ui/app/Startup.h"
#include "ui/cardviews/CardInfoFrame.h"
#include "ui/cardviews/ViewCardForm.h"
#include "ui/graphics/EditionSymbols.h"
#include "ui/graphics/JpegImage.h"
#include "ui/graphics/ManaSymbols.h"

#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProcess>
#include <QtTest>

#include <cstdlib>

using namespace tovel;

namespace {

// A plain picture of one colour, so the decoded pixels can be checked.
std::string Picture(QColor color, int w = 60, int h = 44) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    return EncodeJpeg(image, 95);
}

std::vector<int> Images(const TCostImage* image) {
    std::vector<int> out;
    for (const TCostSymbol& s : image->Symbols())
        out.push_back(s.image);
    return out;
}

} // namespace

class TestCardInfo final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        session_ = test::OpenSession(home_);
        MakeBadges();
        Settings().SetCardImagesDir(home_ / "Pictures");
        Settings().SetShowImages(true); // the option is off until the user turns it on
        home_.Write("Pictures/ab/Ember Hound.jpg", Picture(Qt::red));
        home_.Write("Pictures/ab/Vow Ember.jpg", Picture(Qt::blue));
        home_.Write("Pictures/ab/Broken Bell.jpg", "not a picture at all");
        std::string truncated = Picture(Qt::green, 200, 200);
        truncated.resize(truncated.size() / 3);
        home_.Write("Pictures/ab/Half Moon.jpg", truncated);

        emberHound_ =
            Add("ab", "Ember Hound", "2RR", TRarity::U, "Creature - Hound", "3/2", {"Quick.", "Bold."});
        vow_ = Add("ab", "Vow: Ember", "1WU", TRarity::R, "Sorcery", "", {});
        relic_ = Add("ab", "Grey Relic", "XX", TRarity::C, "Artifact", "", {});
        split_ = Add("ab", "Rise // Fall", "1G /  / 2U", TRarity::C, "Instant", "", {});
        foreign_ = Add("zz", "Far Shore", "B", TRarity::U, "Land", "", {"Elsewhere."});
        broken_ = Add("ab", "Broken Bell", "3", TRarity::C, "Artifact", "", {"Rings."});
        halfMoon_ = Add("ab", "Half Moon", "G", TRarity::C, "Enchantment", "", {});
        land_ = Add("ab", "Forest", "", TRarity::L, "Basic Land - Forest", "", {});
    }
    void cleanup() { DestroyCardInfo(); }
    void cleanupTestCase() {
        DestroyCardInfo();
        cards_.Clear();
        session_.reset();
    }

    // "Card not found in DB": only the name line.
    void notFound() {
        ShowCardInfo(nullptr, cards_);
        TViewCardForm* form = ViewCardForm();
        QVERIFY(form && form->isVisible());
        QCOMPARE(form->windowTitle(), QStringLiteral("Card Info"));
        QCOMPARE(form->height(), 390);
        TCardInfoFrame* frame = form->CardInfoFrame();
        QCOMPARE(frame->LabelName()->text(), QStringLiteral("Card not found in DB"));
        QVERIFY(frame->LabelName()->isVisible());
        QVERIFY(!frame->Panel2()->isVisible());
        QVERIFY(!frame->Panel3()->isVisible());
        QVERIFY(!frame->Image()->isVisible());
        QVERIFY(!frame->ImageRarity()->isVisible());
    }

    // A one-colour card: number then its own symbols, the picture from <folder>/<edition>/,
    // the edition's badge, texts with their leading blank, the colour behind the picture.
    void oneColourCardInFull() {
        ShowCardInfo(emberHound_, cards_);
        TCardInfoFrame* frame = ViewCardForm()->CardInfoFrame();
        QCOMPARE(frame->LabelName()->text(), QStringLiteral(" Ember Hound"));
        QCOMPARE(frame->LabelType()->text(), QStringLiteral(" Creature - Hound"));
        QCOMPARE(frame->LabelPT()->text(), QStringLiteral(" 3/2"));
        QCOMPARE(frame->Memo()->toPlainText(), QStringLiteral("Quick.\nBold."));
        QCOMPARE(Images(frame->Image()), (std::vector<int>{kSymbolGenericFirst + 2, 2, 2}));
        QVERIFY(frame->Image()->isVisible());
        QVERIFY(frame->ImageCard()->isVisible());
        const QImage shown = frame->ImageCard()->pixmap().toImage();
        QVERIFY(qAbs(QColor(shown.pixel(10, 10)).red() - 255) < 8);
        QVERIFY(frame->ImageRarity()->isVisible());
        QCOMPARE(frame->ImageRarity()->pixmap().toImage().pixelColor(10, 10), QColor(1, 2, 3));
        QCOMPARE(frame->Panel2()->palette().color(QPalette::Window), QColor(255, 0, 0));
    }

    void costDrawing_data() {
        QTest::addColumn<int>("card");
        QTest::addColumn<std::vector<int>>("images");
        QTest::addColumn<std::vector<int>>("xs");
        QTest::addColumn<QColor>("background");
        // Several colours in kind order: U before W; olive behind the picture.
        QTest::newRow("multicolour") << 1 << std::vector<int>{kSymbolGenericFirst + 1, 3, 4}
                                     << std::vector<int>{1, 17, 33} << QColor(128, 128, 0);
        // X only: the generic number 0 is drawn before the X symbols.
        QTest::newRow("colourless zero") << 2 << std::vector<int>{kSymbolGenericFirst, kSymbolX, kSymbolX}
                                         << std::vector<int>{1, 17, 33} << QColor(0, 128, 128);
        // One empty place between the halves.
        QTest::newRow("split") << 3
                               << std::vector<int>{kSymbolGenericFirst + 1, 1, kSymbolGenericFirst + 2, 3}
                               << std::vector<int>{1, 17, 49, 65} << QColor(128, 128, 0);
    }
    void costDrawing() {
        QFETCH(int, card);
        QFETCH(std::vector<int>, images);
        QFETCH(std::vector<int>, xs);
        QFETCH(QColor, background);
        const TCardItem* cards[] = {emberHound_, vow_, relic_, split_};
        ShowCardInfo(cards[card], cards_);
        TCardInfoFrame* frame = ViewCardForm()->CardInfoFrame();
        QCOMPARE(Images(frame->Image()), images);
        std::vector<int> gotXs;
        for (const TCostSymbol& s : frame->Image()->Symbols())
            gotXs.push_back(s.x);
        QCOMPARE(gotXs, xs);
        QCOMPARE(frame->Panel2()->palette().color(QPalette::Window), background);
        // The drawn strip really has the symbols where the layout puts them and nothing after.
        QImage strip(frame->Image()->size(), QImage::Format_ARGB32);
        strip.fill(Qt::transparent);
        frame->Image()->render(&strip, QPoint(), QRegion(), QWidget::DrawChildren);
        for (int x : xs)
            QVERIFY2(qAlpha(strip.pixel(x + 8, 9)) > 0, qPrintable(QString::number(x)));
        QCOMPARE(qAlpha(strip.pixel(xs.back() + 16 + 8, 9)), 0);
    }

    // A name with ": " is looked up without the colon, the blank kept.
    void pictureNameWithoutColon() {
        ShowCardInfo(vow_, cards_);
        TCardInfoFrame* frame = ViewCardForm()->CardInfoFrame();
        QVERIFY(frame->ImageCard()->isVisible());
        QVERIFY(QColor(frame->ImageCard()->pixmap().toImage().pixel(5, 5)).blue() > 240);
        // The rarity letter's badge when the edition has none of its own.
        QCOMPARE(frame->ImageRarity()->pixmap().toImage().pixelColor(10, 10), QColor(7, 8, 9));
    }

    // "Show card images" off leaves the picture out; on (the default) shows it.
    void picturesFollowTheOption() {
        for (bool show : {false, true}) {
            Settings().SetShowImages(show);
            ShowCardInfo(emberHound_, cards_);
            QCOMPARE(ViewCardForm()->CardInfoFrame()->ImageCard()->isVisible(), show);
            DestroyCardInfo();
        }
    }

    // On the sample world: the picture the build drew for a card with an accented name lies
    // where the display looks for it, and is shown.
    void accentedNameFindsTheGeneratedPicture() {
        TCardsList world;
        LoadCardDatabase(world, TOVEL_BUILT_DATA "/base.txt", "");
        const int position = world.IndexOf("Zephul Rusk\xE9 Hound", "VR");
        QVERIFY(position >= 0);
        const TCardItem& card = world.Items(position);
        QVERIFY(FileExists(CardPicturePath(TOVEL_BUILT_DATA, card.Edition, card.Name)));
        Settings().SetCardImagesDir(TOVEL_BUILT_DATA);
        ShowCardInfo(&card, world);
        Settings().SetCardImagesDir(home_ / "Pictures");
        QVERIFY(ViewCardForm()->CardInfoFrame()->ImageCard()->isVisible());
    }

    // A missing badge, a missing picture, an undecodable or truncated picture: those parts
    // are hidden and the rest of the card is still shown, without any message.
    void missingPartsAreHiddenNotFatal() {
        ShowCardInfo(emberHound_, cards_);
        ShowCardInfo(foreign_, cards_);
        TCardInfoFrame* frame = ViewCardForm()->CardInfoFrame();
        QCOMPARE(frame->LabelName()->text(), QStringLiteral(" Far Shore"));
        QCOMPARE(frame->Memo()->toPlainText(), QStringLiteral("Elsewhere."));
        QVERIFY(!frame->ImageRarity()->isVisible());
        QVERIFY(!frame->ImageCard()->isVisible());
        QCOMPARE(frame->Panel2()->palette().color(QPalette::Window), QColor(0, 0, 0));

        ShowCardInfo(broken_, cards_);
        QCOMPARE(frame->LabelName()->text(), QStringLiteral(" Broken Bell"));
        QVERIFY(!frame->ImageCard()->isVisible());
        QVERIFY(frame->ImageRarity()->isVisible());

        // A truncated file decodes as far as it goes; it must not crash either way.
        ShowCardInfo(halfMoon_, cards_);
        QCOMPARE(frame->LabelName()->text(), QStringLiteral(" Half Moon"));
    }

    void basicLandHasNoBadgeOrCost() {
        ShowCardInfo(land_, cards_);
        TCardInfoFrame* frame = ViewCardForm()->CardInfoFrame();
        QVERIFY(!frame->ImageRarity()->isVisible());
        QVERIFY(!frame->Image()->isVisible());
        QCOMPARE(frame->Panel2()->palette().color(QPalette::Window), QColor(0, 128, 128));
    }

    // A, none, A again: A is drawn in full the third time. The same card in the visible window
    // is not redrawn; a hidden window comes back.
    void redrawRules() {
        ShowCardInfo(emberHound_, cards_);
        TCardInfoFrame* frame = ViewCardForm()->CardInfoFrame();
        ShowCardInfo(nullptr, cards_);
        ShowCardInfo(emberHound_, cards_);
        QCOMPARE(frame->LabelName()->text(), QStringLiteral(" Ember Hound"));
        QVERIFY(frame->Panel2()->isVisible() && frame->Panel3()->isVisible());
        QVERIFY(frame->ImageCard()->isVisible());

        frame->LabelName()->setText(QStringLiteral("marker"));
        ShowCardInfo(emberHound_, cards_);
        QCOMPARE(frame->LabelName()->text(), QStringLiteral("marker"));
        HideCardInfo();
        QVERIFY(!ViewCardForm()->isVisible());
        ShowCardInfo(emberHound_, cards_);
        QVERIFY(ViewCardForm()->isVisible());
    }

    // A reload may put a different card where the shown one was: it is drawn, not taken for the
    // card already on screen.
    void newCardAtTheShownCardsAddress() {
        TCardsList list;
        TCardItem& card = list.Add("ab");
        card.Name = list.Store("Ember Hound");
        ShowCardInfo(&card, list);
        card = TCardItem{};
        card.Edition = list.Store("cd");
        card.Name = list.Store("Grove Tender");
        ShowCardInfo(&card, list);
        QCOMPARE(ViewCardForm()->CardInfoFrame()->LabelName()->text(), QStringLiteral(" Grove Tender"));
    }

    // The close box only hides; the place is saved when the window is destroyed and used
    // again (unclamped) the next time.
    void positionUnderViewCard() {
        Settings().SetViewCardPosition(-500, 1234);
        ShowCardInfo(emberHound_, cards_);
        QCOMPARE(ViewCardForm()->pos(), QPoint(1234, -500));
        ViewCardForm()->close();
        QVERIFY(ViewCardForm());
        ViewCardForm()->move(40, 70);
        DestroyCardInfo();
        QVERIFY(!ViewCardForm());
        QCOMPARE(Settings().ViewCardTop(), 70);
        QCOMPARE(Settings().ViewCardLeft(), 40);
    }

    void jpegErrorsAreErrors() {
        QVERIFY_THROWS_EXCEPTION(Error, DecodeJpeg(""));
        QVERIFY_THROWS_EXCEPTION(Error, DecodeJpeg("\xff\xd8\xff garbage"));
        QVERIFY_THROWS_EXCEPTION(Error, LoadJpegFile(home_ / "missing.jpg"));
        const QImage round = DecodeJpeg(Picture(QColor(0, 200, 0), 31, 17));
        QCOMPARE(round.size(), QSize(31, 17));
    }

    // Every symbol draws something at any size, and a generic amount above 16 shows its number
    // rather than nothing.
    void symbolsDrawAtAnySize() {
        for (int size : {16, 48}) {
            for (int image = -1; image < kSymbolImageCount; ++image) {
                const QImage pixels = CostSymbolPixmap(image, size, 23).toImage();
                QVERIFY(qAlpha(pixels.pixel(size / 2, size / 2)) > 0);
            }
        }
        QVERIFY(CostSymbolPixmap(-1, 32, 17).toImage() != CostSymbolPixmap(-1, 32, 18).toImage());
        QVERIFY(CostSymbolPixmap(kSymbolGenericFirst, 32).toImage() !=
                CostSymbolPixmap(kSymbolGenericFirst + 1, 32).toImage());
    }

private:
    const TCardItem* Add(const char* edition, const char* name, const char* cost, TRarity rarity,
                         const char* type, const char* pt, std::vector<const char*> text) {
        TCardItem& card = cards_.Add(edition);
        card.Name = cards_.Store(name);
        card.Rarity = rarity;
        card.TypeLine = cards_.Store(type);
        card.PowerToughness = cards_.Store(pt);
        ParseCost(card, cards_.Store(cost));
        for (const char* line : text)
            cards_.AppendTextLine(card, cards_.Store(line));
        return &card;
    }

    // editions.rcc beside the program: AB_U and the letters C and R, each a plain colour.
    void MakeBadges() {
        auto badge = [&](const char* name, QColor color) {
            QImage image(21, 21, QImage::Format_RGB32);
            image.fill(color);
            QVERIFY(image.save(QString::fromStdString(home_ / "badges/") + QLatin1String(name) + ".png"));
        };
        QDir().mkpath(QString::fromStdString(home_ / "badges"));
        badge("AB_U", QColor(1, 2, 3));
        badge("R", QColor(7, 8, 9));
        badge("C", QColor(4, 5, 6));
        home_.Write("badges/editions.qrc",
                    "<RCC><qresource prefix=\"/\"><file>AB_U.png</file><file>R.png</file>"
                    "<file>C.png</file></qresource></RCC>");
        QProcess rcc;
        rcc.setWorkingDirectory(QString::fromStdString(home_ / "badges"));
        rcc.start(QStringLiteral(TOVEL_RCC),
                  {QStringLiteral("-binary"), QStringLiteral("editions.qrc"), QStringLiteral("-o"),
                   QString::fromStdString(home_ / "editions.rcc")});
        QVERIFY(rcc.waitForFinished());
        QCOMPARE(rcc.exitCode(), 0);
    }

    test::TempDir home_;
    std::unique_ptr<ProgramSession> session_;
    TCardsList cards_;
    const TCardItem* emberHound_ = nullptr;
    const TCardItem* vow_ = nullptr;
    const TCardItem* relic_ = nullptr;
    const TCardItem* split_ = nullptr;
    const TCardItem* foreign_ = nullptr;
    const TCardItem* broken_ = nullptr;
    const TCardItem* halfMoon_ = nullptr;
    const TCardItem* land_ = nullptr;
};

TOVEL_WINDOW_TEST_MAIN(TestCardInfo)

#include "tst_cardinfo.moc"
