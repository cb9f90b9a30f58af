#include "core/limited/Sealed.h"
#include "ui/app/Openers.h"
#include "ui/infra/WaitForm.h"

namespace tovel {

void GenerateSealedDeck() {
    bool written = false;
    {
        WaitWindow wait("Generating sealed deck...");
        written = GenerateSealed();
    }
    if (written)
        OpenDeckDesigner(true, true);
}

} // namespace tovel
