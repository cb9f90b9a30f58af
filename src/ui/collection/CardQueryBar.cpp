#include "ui/collection/CardQueryBar.h"

#include "core/carddb/CardsDB.h"
#include "core/collection/OwnedCounts.h"
#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "core/infra/ProgramDir.h"
#include "core/settings/Settings.h"
#include "ui/collection/CardsFrame.h"
#include "ui/infra/QtText.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace tovel {

namespace {
// Long enough to skip the keystrokes of a word, short enough to feel immediate.
constexpr int kPauseMs = 150;
} // namespace

TCardQueryBar::TCardQueryBar(const std::string& window, TCardsFrame& frame, QWidget* parent)
    : QWidget(parent), window_(window), frame_(&frame), edit_(new QLineEdit(this)), status_(new QLabel(this)),
      pause_(new QTimer(this)) {
    setObjectName(QStringLiteral("CardQueryBar"));
    edit_->setObjectName(QStringLiteral("EditQuery"));
    edit_->setPlaceholderText(QStringLiteral("Search: t:creature c:g cmc<=3 v>=7"));
    edit_->setClearButtonEnabled(true);
    edit_->setToolTip(QStringLiteral("Terms: word, n:, t:, o:, e:, in:, r:, c:, cmc, pow, tou, v, f:, "
                                     "banned:, own; or, and, -, ( ), \"a phrase\""));
    status_->setObjectName(QStringLiteral("LabelQueryStatus"));
    status_->setWordWrap(true);
    status_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(1);
    layout->addWidget(edit_);
    layout->addWidget(status_);
    pause_->setSingleShot(true);
    pause_->setInterval(kPauseMs);
    connect(edit_, &QLineEdit::textChanged, pause_, qOverload<>(&QTimer::start));
    connect(pause_, &QTimer::timeout, this, &TCardQueryBar::Apply);
}

TCardQueryBar::~TCardQueryBar() {
    // A frame that outlives the bar must not keep a query that is gone; its rows stay.
    if (frame_)
        frame_->Model().SetQuery(nullptr, nullptr);
}

void TCardQueryBar::Restore() {
    const std::string text = SettingsOpen() ? Settings().SearchQuery(window_) : std::string();
    const QSignalBlocker block(edit_);
    edit_->setText(FromCp1252(text));
    Apply();
}

void TCardQueryBar::Apply() {
    pause_->stop();
    const std::string text = ToCp1252(edit_->text());
    TQueryContext context;
    context.Formats = &FormatList();
    try {
        TCardQuery compiled = TCardQuery::Compile(text, context);
        owned_.clear();
        if (compiled.UsesOwned()) {
            const TInventoryList* inventory = OwnedFrom ? OwnedFrom() : nullptr;
            if (inventory)
                owned_ = OwnedCounts(CardDatabase(), *inventory);
        }
        compiled.SetOwned(owned_);
        query_ = std::move(compiled);
    } catch (const Error& e) {
        // The list keeps the last query that could be read.
        status_->setText(FromUtf8(e.what()));
        status_->setStyleSheet(QStringLiteral("color: #b00020"));
        status_->show();
        return;
    }
    if (!frame_)
        return;
    frame_->SetCardQuery(query_.MatchesEverything() ? nullptr : &query_);
    status_->setStyleSheet({});
    const int rows = frame_->Model().RowCount();
    status_->setText(query_.MatchesEverything()
                         ? QString()
                         : QStringLiteral("%1 %2").arg(rows).arg(rows == 1 ? "match" : "matches"));
    status_->setVisible(!status_->text().isEmpty());
    if (SettingsOpen())
        Settings().SetSearchQuery(window_, text);
}

void TCardQueryBar::UseDefaultInventory() {
    OwnedFrom = [this]() -> const TInventoryList* {
        if (!defaultInventoryRead_) {
            defaultInventoryRead_ = true;
            const std::string file = ProgramPath(kDefaultInventoryFile);
            if (FileExists(file)) {
                try {
                    LoadInventory(defaultInventory_, CardDatabase(), file, false);
                } catch (const Error&) {
                    defaultInventory_.Clear();
                }
            }
        }
        return &defaultInventory_;
    };
}

void TCardQueryBar::InventoryChanged() {
    if (query_.UsesOwned())
        Apply();
}

} // namespace tovel
