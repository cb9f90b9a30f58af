// tovel-artgen: draws the sample world's card pictures and edition badges.
//
//   tovel-artgen DATA_DIR OUT_DIR RCC_TOOL
//
// Reads DATA_DIR/base.txt and DATA_DIR/editions.txt and writes one invented JPEG picture per
// card to OUT_DIR/Data/<edition>/<picture name>.jpg, and OUT_DIR/editions.rcc with a badge per
// edition and rarity (EDITION_C, EDITION_U, EDITION_R) and per rarity letter (C, U, R).
// Everything is drawn here: a background in the card's colour, a scene by its type, its cost,
// its type line and name. Output is deterministic.

#include "core/carddb/CardDatabase.h"
#include "core/carddb/CardDisplay.h"
#include "core/carddb/CardText.h"
#include "core/carddb/Editions.h"
#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "ui/graphics/JpegImage.h"
#include "ui/graphics/ManaSymbols.h"
#include "ui/platform/QtText.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

using namespace tovel;

namespace {

constexpr int kWidth = 370;
constexpr int kHeight = 270;

// A small deterministic generator seeded from the card's name.
class Dice {
public:
    explicit Dice(std::string_view seed) {
        for (unsigned char c : seed)
            state_ = (state_ ^ c) * 1099511628211ULL;
    }
    double Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return static_cast<double>(state_ % 100000) / 100000.0;
    }
    double Range(double lo, double hi) { return lo + (hi - lo) * Next(); }

private:
    uint64_t state_ = 1469598103934665603ULL;
};

struct Palette {
    QColor sky;
    QColor ground;
    QColor accent;
};

Palette PaletteFor(TCardColor color) {
    switch (color) {
    case TCardColor::B:
        return {QColor(52, 40, 70), QColor(24, 20, 30), QColor(170, 120, 220)};
    case TCardColor::G:
        return {QColor(150, 200, 140), QColor(40, 100, 50), QColor(230, 240, 120)};
    case TCardColor::R:
        return {QColor(250, 170, 110), QColor(140, 40, 30), QColor(255, 230, 90)};
    case TCardColor::U:
        return {QColor(140, 190, 240), QColor(30, 70, 140), QColor(220, 250, 255)};
    case TCardColor::W:
        return {QColor(255, 250, 225), QColor(200, 185, 140), QColor(255, 215, 120)};
    case TCardColor::Z:
        return {QColor(240, 215, 130), QColor(120, 90, 40), QColor(250, 120, 60)};
    default:
        return {QColor(200, 205, 210), QColor(110, 110, 118), QColor(90, 200, 200)};
    }
}

void DrawHills(QPainter& p, Dice& dice, const Palette& pal) {
    for (int layer = 0; layer < 3; ++layer) {
        QPainterPath hills;
        const double base = kHeight * (0.55 + layer * 0.12);
        hills.moveTo(0, kHeight);
        hills.lineTo(0, base);
        for (int x = 0; x <= kWidth; x += 37)
            hills.lineTo(x, base - dice.Range(0, 60 - layer * 15));
        hills.lineTo(kWidth, kHeight);
        hills.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(pal.ground.lighter(140 - layer * 20));
        p.drawPath(hills);
    }
}

void DrawFigure(QPainter& p, Dice& dice, const Palette& pal) {
    const double cx = dice.Range(kWidth * 0.35, kWidth * 0.65);
    const double ground = kHeight * 0.82;
    const double tall = dice.Range(110, 150);
    p.setPen(QPen(pal.ground.darker(160), 3));
    p.setBrush(pal.ground.darker(130));
    QPainterPath body;
    body.moveTo(cx - tall * 0.28, ground);
    body.quadTo(cx - tall * 0.32, ground - tall * 0.6, cx, ground - tall * 0.72);
    body.quadTo(cx + tall * 0.32, ground - tall * 0.6, cx + tall * 0.28, ground);
    body.closeSubpath();
    p.drawPath(body);
    p.drawEllipse(QPointF(cx, ground - tall * 0.82), tall * 0.13, tall * 0.13);
    p.setBrush(pal.accent);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(cx - tall * 0.045, ground - tall * 0.84), 3.5, 3.5);
    p.drawEllipse(QPointF(cx + tall * 0.045, ground - tall * 0.84), 3.5, 3.5);
}

void DrawBurst(QPainter& p, Dice& dice, const Palette& pal) {
    const QPointF c(dice.Range(kWidth * 0.3, kWidth * 0.7), dice.Range(kHeight * 0.35, kHeight * 0.55));
    const int rays = 9 + static_cast<int>(dice.Range(0, 6));
    QPainterPath star;
    for (int i = 0; i < rays * 2; ++i) {
        const double angle = i * 3.14159265 / rays;
        const double r = (i % 2 ? 28 : dice.Range(70, 110));
        const QPointF pt(c.x() + r * std::cos(angle), c.y() + r * std::sin(angle));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    QRadialGradient glow(c, 110);
    glow.setColorAt(0, Qt::white);
    glow.setColorAt(0.4, pal.accent);
    glow.setColorAt(1, QColor(pal.accent.red(), pal.accent.green(), pal.accent.blue(), 60));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawPath(star);
}

void DrawGear(QPainter& p, Dice& dice, const Palette& pal) {
    const QPointF c(kWidth / 2.0, kHeight * 0.5);
    const int teeth = 8 + static_cast<int>(dice.Range(0, 5));
    QPainterPath gear;
    for (int i = 0; i < teeth * 4; ++i) {
        const double angle = i * 3.14159265 * 2 / (teeth * 4);
        const double r = (i % 4 < 2) ? 78 : 62;
        const QPointF pt(c.x() + r * std::cos(angle), c.y() + r * std::sin(angle));
        if (i == 0)
            gear.moveTo(pt);
        else
            gear.lineTo(pt);
    }
    gear.closeSubpath();
    gear.addEllipse(c, 22, 22);
    p.setPen(QPen(QColor(60, 60, 60), 3));
    p.setBrush(QColor(180, 170, 150));
    p.drawPath(gear);
    p.setBrush(pal.accent);
    p.drawEllipse(c, 9, 9);
}

void DrawRings(QPainter& p, Dice& dice, const Palette& pal) {
    const QPointF c(kWidth / 2.0, kHeight * 0.48);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(i % 2 ? pal.accent : pal.ground.lighter(150), 5));
        const double r = 30 + i * 22 + dice.Range(-4, 4);
        p.drawEllipse(c, r * 1.3, r * 0.8);
    }
}

QImage DrawCard(const TCardItem& card) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Dice dice(card.Name);
    const Palette pal = PaletteFor(card.Color);

    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0, pal.sky.lighter(115));
    sky.setColorAt(1, pal.sky.darker(110));
    p.fillRect(image.rect(), sky);
    // A sun or moon somewhere in the sky.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 120));
    p.drawEllipse(QPointF(dice.Range(40, kWidth - 40), dice.Range(30, 70)), 18, 18);

    switch (TypeClass(card.TypeLine)) {
    case TCardType::Creature:
    case TCardType::ArtifactCreature:
        DrawHills(p, dice, pal);
        DrawFigure(p, dice, pal);
        break;
    case TCardType::Instant:
    case TCardType::Sorcery:
        DrawBurst(p, dice, pal);
        break;
    case TCardType::Artifact:
        DrawGear(p, dice, pal);
        break;
    case TCardType::Enchantment:
        DrawRings(p, dice, pal);
        break;
    default:
        DrawHills(p, dice, pal);
        break;
    }

    // Bands for the type line (top) and the name (bottom).
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(17);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawRect(QRectF(0, 0, kWidth, 28));
    p.drawRect(QRectF(0, kHeight - 40, kWidth, 40));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(10, 0, kWidth - 20, 28), Qt::AlignVCenter | Qt::AlignLeft,
               p.fontMetrics().elidedText(FromCp1252(card.TypeLine), Qt::ElideRight, kWidth - 120));
    font.setPixelSize(22);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(10, kHeight - 40, kWidth - 20, 40), Qt::AlignCenter,
               QFontMetrics(font).elidedText(FromCp1252(card.Name), Qt::ElideRight, kWidth - 20));
    // The cost at the right of the top band.
    const std::vector<TCostSymbol> symbols = CostSymbols(card);
    double x = kWidth - 8 - 22.0 * static_cast<double>(symbols.size());
    for (const TCostSymbol& symbol : symbols) {
        DrawCostSymbol(p, QRectF(x, 3, 22, 22), symbol.image, symbol.generic);
        x += 22;
    }
    return image;
}

// A badge: a shield in the rarity's metal with the edition code (or the rarity letter).
QImage DrawBadge(const QString& text, char rarity) {
    constexpr int kSize = 42;
    QImage image(kSize, kSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QColor light, dark;
    switch (rarity) {
    case 'R':
        light = QColor(255, 226, 120);
        dark = QColor(176, 122, 20);
        break;
    case 'U':
        light = QColor(236, 240, 246);
        dark = QColor(120, 130, 146);
        break;
    default:
        light = QColor(110, 110, 110);
        dark = QColor(20, 20, 20);
        break;
    }
    QPainterPath shield;
    shield.moveTo(4, 4);
    shield.lineTo(38, 4);
    shield.lineTo(38, 20);
    shield.quadTo(38, 33, 21, 40);
    shield.quadTo(4, 33, 4, 20);
    shield.closeSubpath();
    QLinearGradient metal(0, 0, kSize, kSize);
    metal.setColorAt(0, light);
    metal.setColorAt(1, dark);
    p.setPen(QPen(QColor(10, 10, 10), 2.5));
    p.setBrush(metal);
    p.drawPath(shield);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(text.size() > 2 ? 12 : 17);
    p.setFont(font);
    p.setPen(rarity == 'C' ? Qt::white : QColor(20, 20, 20));
    p.drawText(QRectF(4, 6, 34, 26), Qt::AlignCenter, text);
    return image;
}

void WriteFile(const QString& path, const std::string& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    WriteFileAtomically(path.toStdString(), bytes);
}

int Run(const std::string& dataDir, const QString& outDir, const QString& rccTool) {
    TTextList editions;
    LoadEditionList(editions, dataDir + "/editions.txt");
    TCardsList cards;
    LoadCardDatabase(cards, dataDir + "/base.txt", "");

    int pictures = 0;
    for (int i = 0; i < cards.Count(); ++i) {
        const TCardItem& card = cards.Items(i);
        // The display's own path rule, so every picture lies where the display looks for it.
        const QString path =
            outDir + QStringLiteral("/") + FromUtf8(CardPicturePath("Data", card.Edition, card.Name));
        WriteFile(path, EncodeJpeg(DrawCard(card), 82));
        ++pictures;
    }

    QTemporaryDir work;
    if (!work.isValid())
        throw Error("Cannot create a temporary folder");
    QString qrc = QStringLiteral("<RCC><qresource prefix=\"/\">\n");
    auto addBadge = [&](const std::string& name, const QString& text, char rarity) {
        const QString file = FromCp1252(name) + QStringLiteral(".png");
        if (!DrawBadge(text, rarity).save(work.filePath(file)))
            throw Error("Cannot write " + work.filePath(file).toStdString());
        qrc += QStringLiteral("<file>") + file + QStringLiteral("</file>\n");
    };
    for (char rarity : {'C', 'U', 'R'}) {
        addBadge(std::string(1, rarity), QString(QLatin1Char(rarity)), rarity);
        for (int e = 0; e < editions.Count(); ++e) {
            const std::string code(editions.Name(e));
            const TRarity r = rarity == 'C' ? TRarity::C : rarity == 'U' ? TRarity::U : TRarity::R;
            addBadge(BadgeResourceNames(code, r).front(), FromCp1252(code), rarity);
        }
    }
    qrc += QStringLiteral("</qresource></RCC>\n");
    WriteFile(work.filePath(QStringLiteral("editions.qrc")), qrc.toStdString());
    QProcess rcc;
    rcc.setWorkingDirectory(work.path());
    rcc.setProcessChannelMode(QProcess::ForwardedChannels);
    rcc.start(rccTool, {QStringLiteral("-binary"), QStringLiteral("editions.qrc"), QStringLiteral("-o"),
                        outDir + QStringLiteral("/editions.rcc")});
    if (!rcc.waitForFinished(60000) || rcc.exitStatus() != QProcess::NormalExit || rcc.exitCode() != 0)
        throw Error("rcc failed to pack the edition badges");
    std::printf("tovel-artgen: %d pictures, %d editions\n", pictures, editions.Count());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: tovel-artgen DATA_DIR OUT_DIR RCC_TOOL\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    try {
        return Run(argv[1], QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tovel-artgen: %s\n", e.what());
        return 1;
    }
}
