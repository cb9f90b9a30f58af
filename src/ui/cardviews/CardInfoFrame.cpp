#include "ui/cardviews/CardInfoFrame.h"

#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "core/infra/ProgramDir.h"
#include "core/infra/ProgramFiles.h"
#include "core/settings/Settings.h"
#include "ui/graphics/EditionSymbols.h"
#include "ui/graphics/JpegImage.h"
#include "ui/graphics/ManaSymbols.h"
#include "ui/platform/QtText.h"

#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QToolTip>
#include <QVBoxLayout>

namespace tovel {

namespace {

constexpr int kPanel1Height = 41;
constexpr int kPanel2Height = 147;
constexpr int kBadgeSize = 21;
constexpr QRect kPictureRect(5, 6, 185, 135);

QFont Bold(QFont font) {
    font.setBold(true);
    return font;
}

std::string CardImagesFolder() {
    return SettingsOpen() ? Settings().CardImagesDir() : ProgramDir() + kDataFolder;
}

} // namespace

TCostImage::TCostImage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Image"));
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_TranslucentBackground);
}

void TCostImage::SetSymbols(std::vector<TCostSymbol> symbols) {
    symbols_ = std::move(symbols);
    update();
}

void TCostImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (const TCostSymbol& symbol : symbols_)
        DrawCostSymbol(painter, QRectF(symbol.x, 1, kSymbolSize, kSymbolSize), symbol.image, symbol.generic);
}

TCardInfoFrame::TCardInfoFrame(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("CardInfoFrame"));
    setMinimumWidth(kWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    panel1_ = new QWidget(this);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    panel1_->setFixedHeight(kPanel1Height);
    labelName_ = new QLabel(panel1_);
    labelName_->setObjectName(QStringLiteral("LabelName"));
    labelName_->setFont(Bold(labelName_->font()));
    labelName_->setGeometry(0, 1, kWidth, 18);
    image_ = new TCostImage(panel1_);
    image_->move(0, 19);
    imageRarity_ = new QLabel(panel1_);
    imageRarity_->setObjectName(QStringLiteral("ImageRarity"));
    imageRarity_->setGeometry(kWidth - kBadgeSize - 2, 19, kBadgeSize, kBadgeSize);
    imageRarity_->setScaledContents(true);
    layout->addWidget(panel1_);

    panel2_ = new QFrame(this);
    panel2_->setObjectName(QStringLiteral("Panel2"));
    panel2_->setFixedHeight(kPanel2Height);
    panel2_->setAutoFillBackground(true);
    imageCard_ = new QLabel(panel2_);
    imageCard_->setObjectName(QStringLiteral("ImageCard"));
    imageCard_->setGeometry(kPictureRect);
    imageCard_->setScaledContents(true); // stretched, aspect ratio not kept
    layout->addWidget(panel2_);

    panel3_ = new QWidget(this);
    panel3_->setObjectName(QStringLiteral("Panel3"));
    auto* textLayout = new QVBoxLayout(panel3_);
    textLayout->setContentsMargins(0, 2, 0, 0);
    textLayout->setSpacing(2);
    labelType_ = new QLabel(panel3_);
    labelType_->setObjectName(QStringLiteral("LabelType"));
    labelType_->setFont(Bold(labelType_->font()));
    labelPT_ = new QLabel(panel3_);
    labelPT_->setObjectName(QStringLiteral("LabelPT"));
    labelPT_->setFont(Bold(labelPT_->font()));
    memo_ = new QPlainTextEdit(panel3_);
    memo_->setObjectName(QStringLiteral("Memo"));
    memo_->setReadOnly(true);
    memo_->setFont(Bold(memo_->font()));
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette memoPalette = memo_->palette();
    memoPalette.setColor(QPalette::Base, memoPalette.color(QPalette::Button));
    memo_->setPalette(memoPalette);
    textLayout->addWidget(labelType_);
    textLayout->addWidget(labelPT_);
    textLayout->addWidget(memo_, 1);
    layout->addWidget(panel3_, 1);

    for (QLabel* label : {labelName_, labelType_, labelPT_})
        label->setTextFormat(Qt::PlainText);

    symbols_ = std::make_unique<EditionSymbolLibrary>(ProgramPath(kEditionSymbolsFile));
}

TCardInfoFrame::~TCardInfoFrame() = default;

void TCardInfoFrame::ShowNotFound() {
    ShowNothing();
    labelName_->setText(tr(kCardNotFound));
}

void TCardInfoFrame::ShowNothing() {
    panel2_->hide();
    panel3_->hide();
    image_->hide();
    imageRarity_->hide();
    labelName_->clear();
    shown_.reset();
}

bool TCardInfoFrame::Shows(const TCardItem& card) const {
    return shown_ && shown_->first == card.Edition && shown_->second == card.Name;
}

void TCardInfoFrame::ShowPicture(const TCardItem& card) {
    const std::string path = CardPicturePath(CardImagesFolder(), card.Edition, card.Name);
    QImage picture;
    const bool wanted = !SettingsOpen() || Settings().ShowImages();
    if (wanted && FileExists(path)) {
        // A picture that cannot be decoded is left out like a missing one: the rest of the
        // card is still worth showing.
        try {
            picture = LoadJpegFile(path);
        } catch (const Error&) {
            picture = QImage();
        }
    }
    if (picture.isNull()) {
        imageCard_->clear();
        imageCard_->hide();
        return;
    }
    imageCard_->setPixmap(QPixmap::fromImage(picture));
    imageCard_->show();
}

void TCardInfoFrame::ShowBadge(const TCardItem& card) {
    const std::vector<std::string> names = BadgeResourceNames(card.Edition, card.Rarity);
    const QPixmap badge = names.empty() ? QPixmap() : symbols_->Badge(names);
    if (badge.isNull()) {
        imageRarity_->clear();
        imageRarity_->hide();
        return;
    }
    imageRarity_->setPixmap(badge);
    imageRarity_->show();
}

void TCardInfoFrame::ShowCard(const TCardItem* card, const TCardsList& cards) {
    if (!card) {
        ShowNotFound();
        return;
    }
    if (Shows(*card))
        return;

    ShowPicture(*card);
    ShowBadge(*card);

    labelName_->setText(QStringLiteral(" ") + FromCp1252(card->Name));
    labelType_->setText(QStringLiteral(" ") + FromCp1252(card->TypeLine));
    labelPT_->setText(QStringLiteral(" ") + FromCp1252(card->PowerToughness));

    const TDisplayColor color = CardBackgroundColor(card->Color);
    QPalette palette = panel2_->palette();
    palette.setColor(QPalette::Window, color.system ? QToolTip::palette().color(QPalette::ToolTipBase)
                                                    : QColor(color.r, color.g, color.b));
    panel2_->setPalette(palette);

    image_->SetSymbols(CostSymbols(*card));
    image_->setVisible(CostVisible(*card));

    QStringList lines;
    for (std::string_view line : cards.Text(*card))
        lines << FromCp1252(line);
    memo_->setPlainText(lines.join(QLatin1Char('\n')));

    panel1_->show();
    panel2_->show();
    panel3_->show();
    shown_.emplace(card->Edition, card->Name);
}

} // namespace tovel
