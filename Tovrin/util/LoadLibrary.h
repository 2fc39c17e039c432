#pragma once
#include <windows.h>

#include "CString.h"
#include "TovrinApi.h"

// Loads a library at run time; a derived class binds its functions in BindFunctions. With
// exit on failure set, a failed Load shows an "ALERT" box and ends the process (exit code 0);
// without it, Load returns 0 and the object holds no library and no name.
class TOVRIN_API CLoadLibrary {
public:
    CLoadLibrary();
    virtual ~CLoadLibrary();
    CLoadLibrary(const CLoadLibrary&) = delete;
    CLoadLibrary& operator=(const CLoadLibrary&) = delete;

    // 1 when the library is loaded and every function is bound; a second Load of the name held
    // returns 1 without loading it again. While a name is held, another name is refused with a
    // box (whatever exitOnFailure says) and 0, or the end of the process with exitOnFailure set.
    int Load(const char* file, int exitOnFailure);
    int IsLoaded() const { return m_module != nullptr; }
    // Drops this object's reference. The handle and the name are kept while others keep the
    // module mapped, so that a later Load of another name is still refused.
    void Free();

protected:
    // Looks up every function on GetModule(); throws the name of a missing one as const char*.
    virtual void BindFunctions() = 0;

    HMODULE GetModule() const { return m_module; }

    template <typename Function>
    void Bind(Function& function, const char* name) {
        function = reinterpret_cast<Function>(GetProcAddress(m_module, name));
        if (!function)
            throw name;
    }

private:
    int Refuse(const CString& message);
    void Forget();

    CString m_fileName;
    HMODULE m_module;
    int m_exitOnFailure;
    bool m_holdsReference;
};
