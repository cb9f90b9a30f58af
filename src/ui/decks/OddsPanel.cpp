#include "ui/decks/OddsPanel.h"

#include "ui/platform/QtText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace tovel {

namespace {

const QColor kKeepableColour(46, 125, 50);
const QColor kOtherColour(150, 150, 150);

QColor LevelColour(double chance) {
    switch (ChanceLevel(chance)) {
    case TChanceLevel::Good:
        return QColor(0, 128, 0);
    case TChanceLevel::Fair:
        return QColor(200, 120, 0);
    default:
        return QColor(200, 0, 0);
    }
}

QString Percent(double chance) {
    return FromUtf8(PercentText(chance));
}

} // namespace

TOpeningChart::TOpeningChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("OpeningChart"));
}

void TOpeningChart::SetChances(const std::array<double, 8>& chances) {
    chances_ = chances;
    QString tip = tr("Lands in the opening seven");
    for (size_t lands = 0; lands < chances_.size(); ++lands)
        tip += QStringLiteral("\n%1: %2").arg(lands).arg(Percent(chances_[lands]));
    setToolTip(tip);
    update();
}

void TOpeningChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    painter.setFont(small);
    const int textHeight = QFontMetrics(small).height();
    // Bars between their whole percentages above and the land counts below.
    const QRect area = rect().adjusted(2, textHeight + 1, -2, -textHeight - 2);
    const double highest = std::max(0.01, *std::max_element(chances_.begin(), chances_.end()));
    const double slot = static_cast<double>(area.width()) / static_cast<double>(chances_.size());
    const int barWidth = std::max(3, static_cast<int>(slot * 0.7));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(area.left(), area.bottom(), area.right(), area.bottom());
    for (size_t lands = 0; lands < chances_.size(); ++lands) {
        const int x =
            area.left() + static_cast<int>(slot * static_cast<double>(lands) + (slot - barWidth) / 2);
        const int height = static_cast<int>(area.height() * chances_[lands] / highest);
        const bool keepable = lands >= kKeepableFewest && lands <= kKeepableMost;
        painter.fillRect(QRect(x, area.bottom() - height + 1, barWidth, height),
                         keepable ? kKeepableColour : kOtherColour);
        painter.setPen(palette().color(QPalette::WindowText));
        const QRect under(x - 6, area.bottom() + 2, barWidth + 12, textHeight);
        painter.drawText(under, Qt::AlignHCenter | Qt::AlignTop, QString::number(lands));
        const int percent = static_cast<int>(std::lround(100 * chances_[lands]));
        if (percent > 0) {
            const QRect over(x - 8, area.bottom() - height - textHeight, barWidth + 16, textHeight);
            painter.drawText(over, Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("%1%").arg(percent));
        }
    }
}

TOddsPanel::TOddsPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("OddsPanel"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    setFixedWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 36);
    playDraw_ = new QComboBox(this);
    playDraw_->setObjectName(QStringLiteral("ComboBoxPlayDraw"));
    playDraw_->addItems({tr("On the play"), tr("On the draw")});
    playDraw_->setFocusPolicy(Qt::NoFocus); // the designer's keys stay with its lists
    connect(playDraw_, &QComboBox::currentIndexChanged, this, &TOddsPanel::PlayDrawChanged);
    keepable_ = new QLabel(this);
    keepable_->setObjectName(QStringLiteral("LabelKeepable"));
    keepable_->setToolTip(tr("An opening seven with 2 to 5 lands"));
    auto* top = new QHBoxLayout;
    top->addWidget(playDraw_);
    top->addStretch();
    top->addWidget(keepable_);

    chart_ = new TOpeningChart(this);
    auto* drops = new QGridLayout;
    drops->setContentsMargins(0, 0, 0, 0);
    drops->setVerticalSpacing(0);
    for (int turn = 1; turn <= kLandDropTurns; ++turn) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("LabelLandDrop%1").arg(turn));
        label->setToolTip(
            (turn == 1 ? tr("At least %1 land by turn %1") : tr("At least %1 lands by turn %1")).arg(turn));
        drops->addWidget(label, (turn - 1) % 2, (turn - 1) / 2);
        landDrops_[static_cast<size_t>(turn - 1)] = label;
    }

    onCurve_ = new QTreeWidget(this);
    onCurve_->setObjectName(QStringLiteral("ListOnCurve"));
    onCurve_->setRootIsDecorated(false);
    onCurve_->setUniformRowHeights(true);
    onCurve_->setSelectionMode(QAbstractItemView::NoSelection);
    onCurve_->setFocusPolicy(Qt::NoFocus);
    onCurve_->setHeaderLabels({tr("Turn"), tr("Chance"), tr("Given"), tr("Card")});
    onCurve_->headerItem()->setToolTip(0, tr("The turn of the spell's mana value"));
    onCurve_->headerItem()->setToolTip(1, tr("Enough lands of the right colours by that turn"));
    onCurve_->headerItem()->setToolTip(2, tr("The same chance, given the land drops"));
    const QFontMetrics metrics = fontMetrics();
    onCurve_->setColumnWidth(0, metrics.horizontalAdvance(tr("Turn")) + 10);
    onCurve_->setColumnWidth(1, metrics.horizontalAdvance(QStringLiteral("100.0%")) + 12);
    onCurve_->setColumnWidth(2, metrics.horizontalAdvance(QStringLiteral("100.0%")) + 12);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addWidget(new QLabel(tr("Odds"), this));
    layout->addLayout(top);
    layout->addWidget(new QLabel(tr("Lands in the opening seven:"), this));
    layout->addWidget(chart_);
    layout->addWidget(new QLabel(tr("Land drops by turn:"), this));
    layout->addLayout(drops);
    layout->addWidget(new QLabel(tr("Spells on curve:"), this));
    layout->addWidget(onCurve_, 1);
}

bool TOddsPanel::OnTheDraw() const {
    return playDraw_->currentIndex() == 1;
}

void TOddsPanel::SetOnTheDraw(bool onTheDraw) {
    playDraw_->setCurrentIndex(onTheDraw ? 1 : 0);
}

void TOddsPanel::Show(const TDeckOdds& odds) {
    chart_->SetChances(odds.Opening);
    keepable_->setText(tr("Keepable: %1").arg(Percent(odds.Keepable)));
    for (int turn = 1; turn <= kLandDropTurns; ++turn)
        LandDrop(turn)->setText(
            QStringLiteral("%1: %2").arg(turn).arg(Percent(odds.LandDrops[static_cast<size_t>(turn - 1)])));
    onCurve_->clear();
    QList<QTreeWidgetItem*> items;
    for (const TOnCurve& line : odds.OnCurve) {
        auto* item =
            new QTreeWidgetItem({QString::number(line.Turn), Percent(line.Chance),
                                 line.GivenLandDrops ? Percent(*line.GivenLandDrops) : QStringLiteral("-"),
                                 FromCp1252(line.Card->Name)});
        item->setForeground(1, LevelColour(line.Chance));
        if (line.GivenLandDrops)
            item->setForeground(2, LevelColour(*line.GivenLandDrops));
        for (int column : {0, 1, 2})
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        items.push_back(item);
    }
    onCurve_->addTopLevelItems(items);
}

} // namespace tovel
