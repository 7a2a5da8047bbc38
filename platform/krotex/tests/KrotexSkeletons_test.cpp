#include "KrotexSkeletons.h"

#include <gtest/gtest.h>

namespace {

// The shape of omniidl's client header: modules, the POA and OBV modules, forward declarations.
const char* const kClient = "#ifndef __bank_hh__\n"
                            "class _impl_Top;\n"
                            "class _impl_Top :\n"
                            "  public virtual omniServant\n"
                            "{ };\n"
                            "_CORBA_MODULE Bank\n"
                            "_CORBA_MODULE_BEG\n"
                            "  class _impl_Account :\n"
                            "    public virtual omniServant\n"
                            "  { };\n"
                            "  _CORBA_MODULE Inner\n"
                            "  _CORBA_MODULE_BEG\n"
                            "    class _impl_Teller :\n"
                            "    { };\n"
                            "  _CORBA_MODULE_END\n"
                            "_CORBA_MODULE_END\n"
                            "_CORBA_MODULE POA_Bank\n"
                            "_CORBA_MODULE_BEG\n"
                            "  class _impl_Fake :\n"
                            "_CORBA_MODULE_END\n"
                            "_CORBA_MODULE OBV_Bank\n"
                            "_CORBA_MODULE_BEG\n"
                            "_CORBA_MODULE_END\n"
                            "#endif  // __bank_hh__\n";

TEST(KrotexSkeletons, EveryInterfaceUnderItsSkeletonName)
{
    EXPECT_EQ(KrotexSkeletonBlock(kClient, "__bank_c_hh_sk__"),
              "\n#ifndef __bank_c_hh_sk__\n#define __bank_c_hh_sk__\n"
              "// The skeletons by their \"_sk_\" names: implementations derive from these.\n"
              "class _sk_Top : public virtual ::POA_Top {};\n"
              "namespace _sk_Bank { class _sk_Account : public virtual ::POA_Bank::Account {}; }\n"
              "namespace _sk_Bank { namespace _sk_Inner { class _sk_Teller : public virtual "
              "::POA_Bank::Inner::Teller {}; }}\n"
              "#endif\n");
}

TEST(KrotexSkeletons, NoInterfaceNoBlock)
{
    EXPECT_EQ(
        KrotexSkeletonBlock("_CORBA_MODULE M\n_CORBA_MODULE_BEG\nstruct S;\n_CORBA_MODULE_END\n", "__g__"),
        "");
}

}  // namespace
