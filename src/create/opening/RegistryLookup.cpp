#include "create/opening/RegistryLookup.h"

namespace qv::create
{

namespace
{

// No program of the Windows desktop keeps an install record here.
class NoRegistry final : public RegistryLookup
{
public:
    QString value(RegistryRoot, const QString &, const QString &) override { return QString(); }
};

std::shared_ptr<RegistryLookup> &current()
{
    static std::shared_ptr<RegistryLookup> lookup = std::make_shared<NoRegistry>();
    return lookup;
}

} // namespace

RegistryLookup &registryLookup()
{
    return *current();
}

void setRegistryLookup(std::shared_ptr<RegistryLookup> lookup)
{
    current() = lookup ? std::move(lookup) : std::make_shared<NoRegistry>();
}

} // namespace qv::create
