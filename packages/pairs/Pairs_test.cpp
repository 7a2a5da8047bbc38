// Every pair of packages in one host: load both, unload one, the other's gallery stays whole and
// its items keep their categories; after both unloads the host is the empty host again.
#include <gtest/gtest.h>

#include <algorithm>

#include "PackageTestHost.h"
#include "host/GalleryServices.h"
#include "hostimpl/StateListing.h"

using namespace hostimpl;

namespace {

const char* const kPackages[] = {"Brannow100",   "KVTIDL100",    "KVTPRO100", "KVTWEKIDE100",
                                 "kvtcoment100", "kvtcompro100", "nimdes"};

class package_Pairs : public PackageTestHost {
protected:
    package_Pairs() : PackageTestHost("pairs_", PACKAGE_DIR, KVTCOM_TEMPLATE_DIR) {}

    // The gallery items of what is loaded, with whether each one's category is still listed.
    static std::vector<String> Items()
    {
        auto gm = RequireService<IQGalleryCategoryManager>("gallery");
        std::vector<String> r;
        for (const auto& e : GalleryEntries())
            r.push_back(e.CategoryId + "/" + e.Id + (gm->FindCategory(e.CategoryId) ? "" : " (no category)"));
        std::sort(r.begin(), r.end());
        return r;
    }
    bool Requires(const String& a, const String& b)
    {
        loader->Load(a);
        auto loaded = loader->Loaded();
        loader->UnloadAll();
        return std::find(loaded.begin(), loaded.end(), b) != loaded.end();
    }
};

TEST_F(package_Pairs, UnloadingOneNeverBreaksTheOther)
{
    const auto empty = HostStateListing();
    ShowMainForm();
    for (const char* a : kPackages)
        for (const char* b : kPackages) {
            if (String(a) == b) continue;
            SCOPED_TRACE(String(a) + " + " + b);
            // what b offers on its own
            loader->Load(b);
            const auto alone = Items();
            loader->UnloadAll();
            if (Requires(a, b) || Requires(b, a)) continue;  // one cannot go without the other

            loader->Load(a);
            loader->Load(b);
            try {
                loader->Unload(a);
            } catch (const std::exception& e) {
                ADD_FAILURE() << e.what();
            }
            // b's items are all there under their categories (a's requirements may stay too)
            const auto now = Items();
            EXPECT_TRUE(std::includes(now.begin(), now.end(), alone.begin(), alone.end()));
            try {
                loader->UnloadAll();
            } catch (const std::exception& e) {
                ADD_FAILURE() << e.what();
            }
            EXPECT_EQ(HostStateListing(), empty);
        }
}

}  // namespace
