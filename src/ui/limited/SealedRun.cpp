#include "core/limited/Sealed.h"
#include "ui/Openers.h"
#include "ui/platform/QtText.h"
#include "ui/wait/WaitForm.h"

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
