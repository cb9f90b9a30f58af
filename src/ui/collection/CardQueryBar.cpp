#include "ui/collection/CardQueryBar.h"

#include "core/carddb/CardsDB.h"
#include "core/collection/OwnedCounts.h"
#include "core/infra/Error.h"
#include "core/infra/FileIO.h"
#include "core/infra/ProgramDir.h"
#include "core/settings/Settings.h"
#include "ui/collection/CardsFrame.h"
#include "ui/platform/QtText.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <chrono>

namespace tovel {

namespace {
// Long enough to skip the keystrokes of a word, short enough to feel immediate.
constexpr int kPauseMs = 150;
// A slice of matching: well within a frame, so a keystroke waits for less than one. An
// ordinary query over a large database is done within the first slice.
constexpr std::chrono::milliseconds kSlice{10};
// Cards matched between two looks at the clock.
constexpr int kStepCards = 1024;
// How often a search held back by another window looks whether it may go on.
constexpr int kHeldBackMs = 50;
} // namespace

TCardQueryBar::TCardQueryBar(const std::string& window, TCardsFrame& frame, QWidget* parent)
    : QWidget(parent), window_(window), frame_(&frame), edit_(new QLineEdit(this)), status_(new QLabel(this)),
      pause_(new QTimer(this)), slice_(new QTimer(this)) {
    setObjectName(QStringLiteral("CardQueryBar"));
    edit_->setObjectName(QStringLiteral("EditQuery"));
    edit_->setPlaceholderText(tr("Search: t:creature c:g cmc<=3 v>=7"));
    edit_->setClearButtonEnabled(true);
    edit_->setToolTip(tr("Terms: word, n:, t:, o:, e:, in:, r:, c:, cmc, pow, tou, v, f:, "
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
    connect(edit_, &QLineEdit::textChanged, this, &TCardQueryBar::Cancel);
    connect(pause_, &QTimer::timeout, this, &TCardQueryBar::Apply);
    slice_->setSingleShot(true);
    connect(slice_, &QTimer::timeout, this, &TCardQueryBar::Continue);
    // The edition filter narrows the list too: the count follows every rebuild.
    connect(&frame, &TCardsFrame::Rebuilt, this, &TCardQueryBar::ShowMatches);
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
    Cancel();
    const std::string text = ToCp1252(edit_->text());
    try {
        pending_ = CompileCardSearch(text, FormatList(), CardDatabase(), OwnedFrom, pendingOwned_);
    } catch (const Error& e) {
        // The list keeps the last query that could be read.
        unreadable_ = true;
        status_->setText(FromUtf8(e.what()));
        status_->setStyleSheet(QStringLiteral("color: #b00020"));
        status_->show();
        return;
    }
    pendingText_ = text;
    if (!pending_.MatchesEverything() && frame_)
        search_ = std::make_unique<TCardSearch>(CardDatabase(), pending_);
    Continue();
}

void TCardQueryBar::Cancel() {
    slice_->stop();
    search_.reset();
}

void TCardQueryBar::Continue() {
    // Not while another window waits for the user (a question, a wait window): the list must
    // not change under the command that asked.
    const QWidget* modal = QApplication::activeModalWidget();
    if ((modal && modal != window()) || !window()->isEnabled()) {
        slice_->start(kHeldBackMs);
        return;
    }
    if (search_) {
        const auto until = std::chrono::steady_clock::now() + kSlice;
        bool done = false;
        do
            done = search_->Step(sliceCards_ > 0 ? sliceCards_ : kStepCards);
        while (!done && sliceCards_ == 0 && std::chrono::steady_clock::now() < until);
        if (!done) {
            if (status_->text() != tr("Searching...")) {
                status_->setStyleSheet({});
                status_->setText(tr("Searching..."));
                status_->show();
            }
            slice_->start(0);
            return;
        }
    }
    Finish();
}

void TCardQueryBar::Finish() {
    // The search found the answers of pending_, which becomes the list's query.
    const std::unique_ptr<TCardSearch> search = std::move(search_);
    query_ = std::move(pending_);
    pending_ = TCardQuery();
    owned_.swap(pendingOwned_); // the query's counts keep their place
    if (!frame_)
        return;
    unreadable_ = false;
    status_->setStyleSheet({});
    frame_->SetCardQuery(query_.MatchesEverything() ? nullptr : &query_, search.get());
    ShowMatches();
    if (SettingsOpen())
        Settings().SetSearchQuery(window_, pendingText_);
}

void TCardQueryBar::ShowMatches() {
    // A query that cannot be read keeps its message, and one being matched its "Searching...".
    if (!frame_ || unreadable_ || search_)
        return;
    const int rows = frame_->Model().RowCount();
    status_->setText(query_.MatchesEverything() ? QString()
                                                : (rows == 1 ? tr("%1 match") : tr("%1 matches")).arg(rows));
    status_->setVisible(!status_->text().isEmpty());
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
    if (query_.UsesOwned() || (search_ && pending_.UsesOwned()))
        Apply();
}

} // namespace tovel
