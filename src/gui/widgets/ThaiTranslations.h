#pragma once

/// Qt's own dialogs in Thai: the standard buttons of message boxes and button boxes, the file dialog and the print
/// dialog. Call once the application object exists, before any window is shown; later calls do nothing.
void installThaiTranslations();
