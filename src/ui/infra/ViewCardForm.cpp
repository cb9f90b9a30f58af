#include "ui/infra/ViewCardForm.h"

#include "core/settings/Settings.h"
#include "ui/infra/CardInfoFrame.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include <memory>

namespace tovel {

namespace {

std::unique_ptr<TViewCardForm>& Instance() {
    static std::unique_ptr<TViewCardForm> instance;
    return instance;
}

constexpr int kClientWidth = TCardInfoFrame::kWidth + 4;

} // namespace

TViewCardForm::TViewCardForm(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("ViewCardForm"));
    setWindowTitle(QStringLiteral("Card Info"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    cardInfoFrame_ = new TCardInfoFrame(this);
    layout->addWidget(cardInfoFrame_);
    setFixedWidth(kClientWidth);
    resize(kClientWidth, kHeight);
    // The saved place; no clamping to the screen.
    if (SettingsOpen())
        move(Settings().ViewCardLeft(), Settings().ViewCardTop());
}

void TViewCardForm::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

void ShowCardInfo(const TCardItem* card, const TCardsList& cards) {
    auto& form = Instance();
    if (!form)
        form = std::make_unique<TViewCardForm>();
    else if (form->isVisible() && card && form->CardInfoFrame()->Shows(*card))
        return;
    form->CardInfoFrame()->ShowCard(card, cards);
    form->setFixedHeight(TViewCardForm::kHeight);
    if (!form->isVisible())
        form->show();
}

void HideCardInfo() {
    auto& form = Instance();
    if (form && form->isVisible())
        form->close();
}

void DestroyCardInfo() {
    std::unique_ptr<TViewCardForm> form = std::move(Instance());
    if (form && SettingsOpen())
        Settings().SetViewCardPosition(form->y(), form->x());
}

void ReleaseCardInfo() {
    Instance().reset();
}

TViewCardForm* ViewCardForm() {
    return Instance().get();
}

} // namespace tovel
