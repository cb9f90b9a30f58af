#include "core/limited/Sealed.h"
#include "ui/infra/Openers.h"
#include "ui/infra/QtText.h"
#include "ui/infra/WaitForm.h"

#include <QCoreApplication>

namespace tovel {

void GenerateSealedDeck() {
    bool written = false;
    {
        WaitWindow wait(ToUtf8(QCoreApplication::translate("SealedRun", "Generating sealed deck...")));
        written = GenerateSealed();
    }
    if (written)
        OpenDeckDesigner(true, true);
}

} // namespace tovel
