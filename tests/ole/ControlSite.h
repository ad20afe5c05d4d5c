#pragma once
// A host's site that counts the data-change notifications it is sent.
#include "com/UnknownImpl.h"
#include "ole/WindowedControl.h"

class CCountingSite final : public IControlSite {
    BRAINWHEEL_IUNKNOWN_IMPL({&IID_IControlSite, static_cast<IControlSite*>(this)})

public:
    HRESULT OnDataChange() override
    {
        ++changes;
        return S_OK;
    }
    int changes = 0;

private:
    ~CCountingSite() = default;
};
