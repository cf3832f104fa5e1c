#include "KelmoraResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE declares a global-namespace function, so it cannot be used inside kelmora.
static void initKelmoraResources()
{
    Q_INIT_RESOURCE(kelmora_resources);
}

namespace kelmora {

void InitResources()
{
    initKelmoraResources();
}

} // namespace kelmora
