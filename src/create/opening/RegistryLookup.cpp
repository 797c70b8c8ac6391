#include "create/opening/RegistryLookup.h"

#include "support/registry/CRegistry.h"

namespace qv::create
{

namespace
{

class RegistryClasses final : public RegistryLookup
{
public:
    QString value(RegistryRoot root, const QString &key, const QString &valueName) override
    {
        const support::modRegistry::HKEY handle = root == RegistryRoot::CurrentUser
                                                      ? support::modRegistry::HKEY_CURRENT_USER
                                                      : support::modRegistry::HKEY_LOCAL_MACHINE;
        return support::readRegistryValue(handle, key, valueName);
    }
};

std::shared_ptr<RegistryLookup> &current()
{
    static std::shared_ptr<RegistryLookup> lookup = std::make_shared<RegistryClasses>();
    return lookup;
}

} // namespace

RegistryLookup &registryLookup()
{
    return *current();
}

void setRegistryLookup(std::shared_ptr<RegistryLookup> lookup)
{
    current() = lookup ? std::move(lookup) : std::make_shared<RegistryClasses>();
}

} // namespace qv::create
