#pragma once

// GotoHelpPage: service.ini [Help] URL ("about:blank" when empty) in the system browser.
void OpenHelpPage();
