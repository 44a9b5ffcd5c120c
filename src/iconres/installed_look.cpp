#include "iconres/installed_look.h"

#include "app/app_state.h"

namespace lumivel {

void previewInstalledLook(AppState&, LookSource) {}

} // namespace lumivel
