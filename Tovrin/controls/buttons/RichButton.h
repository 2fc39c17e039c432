#pragma once
#include <windows.h>

#include "CString.h"
#include "Picture.h"
#include "SkinButton.h"
#include "TovrinApi.h"

// A skinned push button with a styled-text caption and an optional image from the image folder
// (the program's folder + "\Image"). Its text is "image,caption" or just the caption.
class TOVRIN_API CRichButton : public CSkinButton {
public:
    CRichButton();

    // Loads image folder + "\" + name; a failed load leaves the button without an image.
    bool SetButtonImage(const char* name);
    const CPicture& GetButtonImage() const { return m_image; }

    void DrawItem(LPDRAWITEMSTRUCT item) override;

protected:
    // "image,caption" (the caption ends at a further comma); text without a comma is all caption
    // and leaves the image as it is.
    void ApplyText(const char* text) override;

private:
    CPicture m_image;
    CString m_imageFolder;
};
