#pragma once
// Pictures of the control tests (images/make-images.py draws them). Resource type "IMAGE".
#define IDI_PROBE_BMP 4701
#define IDI_THREE_FRAMES_GIF 4702
#define IDI_SPINNER_GIF 4703
