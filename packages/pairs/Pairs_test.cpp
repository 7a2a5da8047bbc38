// Every pair of packages in one host: load both, unload one, the other's gallery stays whole, its
// items keep their categories and run as they do alone; after both unloads the host is the empty
// host again.
#include <gtest/gtest.h>

#include <algorithm>

#include "PackageTestHost.h"
#include "host/GalleryServices.h"
#include "hostimpl/HostImpl.h"
#include "hostimpl/StateListing.h"
#include "rtl/Files.h"

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
    // A host as it starts, with an open project and answers for the COM and Nimbrel dialogs.
    void Restart()
    {
        loader.reset();
        StopHost();
        StartHost();
        StartLoader();
        ShowMainForm();
        OpenProject("Pairs.bpr");
        AtomicWriteFile(dir + "answers.txt", "com.coclass=Orders\n"
                                             "form.formAppWizard=butnOk\n"
                                             "form.formAppWizard.editProject=Shop\n"
                                             "form.formAppWizard.editDir=" +
                                                 dir +
                                                 "Shop\n"
                                                 "form.formFormWizard=Button1\n"
                                                 "form.formFrameWizard=Button1\n");
        LoadDialogAnswers(dir + "answers.txt");
    }
    // Runs every item of `ids` in turn: how each ended, and the files it wrote.
    static std::vector<String> RunItems(const std::vector<String>& ids)
    {
        std::vector<String> r;
        int n = 0;
        for (const auto& e : GalleryEntries()) {
            const String id = e.CategoryId + "/" + e.Id;
            if (std::find(ids.begin(), ids.end(), id) == ids.end()) continue;
            // a project's type library takes each CoClass name once
            SetDialogAnswer("com.coclass", "Orders" + IntToStr(++n));
            if (!GalleryItemAvailable(e.Handle)) {
                r.push_back(id + ": not available");
                continue;
            }
            const std::size_t before = ReceivedFiles().size();
            String how;
            try {
                how = RunGalleryItem(e.CategoryId, e.Caption) ? "ran" : "ended";
            } catch (const std::exception& x) {
                how = String("failed: ") + x.what();
            }
            for (std::size_t i = before; i < ReceivedFiles().size(); ++i)
                how += " " + ExtractFileName(ReceivedFiles()[i].FileName);
            r.push_back(id + ": " + how);
        }
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
    ShowMainForm();
    for (const char* a : kPackages)
        for (const char* b : kPackages) {
            if (String(a) == b) continue;
            SCOPED_TRACE(String(a) + " + " + b);
            if (Requires(a, b) || Requires(b, a)) continue;  // one cannot go without the other
            // what b offers on its own, and how its items run
            Restart();
            loader->Load(b);
            const auto alone = Items();
            std::vector<String> ids;
            for (const auto& e : GalleryEntries()) ids.push_back(e.CategoryId + "/" + e.Id);
            const auto ranAlone = RunItems(ids);
            for (const auto& x : ranAlone) EXPECT_EQ(x.find(": failed"), String::npos) << x;
            loader->UnloadAll();
            Restart();
            const auto start = HostStateListing();

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
            EXPECT_EQ(RunItems(ids), ranAlone);
            try {
                loader->UnloadAll();
            } catch (const std::exception& e) {
                ADD_FAILURE() << e.what();
            }
            EXPECT_EQ(HostStateListing(), start);
        }
}

}  // namespace
