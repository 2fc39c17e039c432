#pragma once

// The service windows' own texts in the language table: English when the language is "eng",
// Korean otherwise.
class CServiceTexts {
public:
    // Loads language.msg from Selkor's folder for the service's language, then adds the texts.
    static void Load();
};
