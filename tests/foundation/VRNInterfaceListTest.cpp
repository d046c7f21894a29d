#include "foundation/VRNInterfaceList.h"

#include <functional>
#include <gtest/gtest.h>

namespace {
struct TItem {
    int value;
};
std::shared_ptr<TItem> Make(int value) {
    return std::make_shared<TItem>(TItem{value});
}
std::vector<int> Values(const TVRNInterfaceList<TItem>& list) {
    std::vector<int> out;
    for (const auto& item : list)
        out.push_back(item ? item->value : -1);
    return out;
}
} // namespace

TEST(VRNInterfaceList, OrderedOperationsByIndexAndIdentity) {
    TVRNInterfaceList<TItem> list;
    const auto a = Make(1), b = Make(2), c = Make(3), twin = Make(2);
    EXPECT_EQ(list.Add(a), 0);
    EXPECT_EQ(list.Add(c), 1);
    list.Insert(1, b);
    list.Insert(3, nullptr);
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3, -1}));
    EXPECT_EQ(list.IndexOf(b), 1);
    EXPECT_EQ(list.IndexOf(twin), -1); // identity, not equal contents
    EXPECT_EQ(list.Remove(b), 1);
    EXPECT_EQ(list.Remove(b), -1);
    list.Delete(2);
    EXPECT_EQ(Values(list), (std::vector<int>{1, 3}));
    list.Sort([](const auto& x, const auto& y) { return x->value > y->value; });
    EXPECT_EQ(Values(list), (std::vector<int>{3, 1}));
    EXPECT_EQ(list.Items(0), c);
}

TEST(VRNInterfaceList, IndexesOutOfRangeRaiseTheListError) {
    TVRNInterfaceList<TItem> list;
    list.Add(Make(1));
    const struct {
        const char* what;
        std::function<void()> call;
        const char* message;
    } cases[] = {
        {"Items(1)", [&] { list.Items(1); }, "List index out of bounds (1)"},
        {"Items(-1)", [&] { list.Items(-1); }, "List index out of bounds (-1)"},
        {"Insert(2)", [&] { list.Insert(2, Make(2)); }, "List index out of bounds (2)"},
        {"Delete(1)", [&] { list.Delete(1); }, "List index out of bounds (1)"},
        {"SetItem(5)", [&] { list.SetItem(5, nullptr); }, "List index out of bounds (5)"},
    };
    for (const auto& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.what;
        } catch (const EVRNListError& e) {
            EXPECT_EQ(e.Message(), QString::fromLatin1(c.message)) << c.what;
        }
    }
    EXPECT_EQ(list.Count(), 1);
}

TEST(VRNInterfaceList, RemovingAndClearingReleaseTheReferences) {
    TVRNInterfaceList<TItem> list;
    auto a = Make(1), b = Make(2);
    std::weak_ptr<TItem> wa = a, wb = b;
    list.Add(std::move(a));
    list.Add(std::move(b));
    list.Delete(0);
    EXPECT_TRUE(wa.expired());
    list.Clear();
    EXPECT_TRUE(wb.expired());
    EXPECT_EQ(list.Count(), 0);
}
