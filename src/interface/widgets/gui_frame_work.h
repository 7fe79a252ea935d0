#pragma once
// The interface's own per-frame work after the current screen has drawn: the tooltips marked this
// frame are drawn on top, deferred button callbacks run, the text batch is flushed.

void FinishInterfaceFrame();
