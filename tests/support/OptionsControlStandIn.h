#pragma once

// The options dialog as an options page sees it: the working copy of the options, and how often
// the page said it changed something.

#include "model/PropertyList.h"
#include "ui/OptionsPages.h"

#include <memory>

class OptionsControlStandIn : public IHXOptionsControl_ {
public:
    std::shared_ptr<IHXPropertyList_> GetSection(const QString& name) override {
        return options->Items(name)->AsPropertyList();
    }
    void SetModified() override { ++modified; }

    std::shared_ptr<IHXPropertyList_> options = std::make_shared<TPropertyList>(40);
    int modified = 0;
};
