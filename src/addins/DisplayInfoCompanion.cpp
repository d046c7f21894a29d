// The companion of the display info: the font the program's windows use.

#include "addins/CompanionArguments.h"
#include "addins/ModelCompanions.h"
#include "model/DisplayInfo.h"

using HoraluxSDK::IHXDisplayInfo;

namespace {

class TDisplayInfoCompanion : public TCompanion<IHXDisplayInfo, TDisplayInfo> {
public:
    using TCompanion::TCompanion;

    HXRESULT get_FontName(HXBSTR* value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "DisplayInfo.FontName");
            *value = ToHXString(Get().FontName());
        });
    }
    HXRESULT get_FontSize(int32_t* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "DisplayInfo.FontSize");
            *value = Get().FontSize();
        });
    }
};

} // namespace

IHXDisplayInfo* NewDisplayInfoCompanion(const std::shared_ptr<TDisplayInfo>& info) {
    return info ? new TDisplayInfoCompanion(info) : nullptr;
}
