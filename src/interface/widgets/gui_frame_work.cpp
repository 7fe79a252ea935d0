#include "interface/widgets/gui_frame_work.h"

#include "interface/widgets/gui_base_element.h"
#include "interface/widgets/gui_tooltip.h"
#include "interface/widgets/text_engine.h"
#include "platform/input_state.h"

void FinishInterfaceFrame() {
    GUI_Tooltip::DrawMarked();
    // Deferred calls may open and close windows and switch screens: they run once nothing of this
    // frame is being walked any more.
    RunDeferredCalls();
    GetTextEngine().Flush();
    GetInput().mouseTaken = false;
}
