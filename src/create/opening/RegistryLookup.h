#pragma once

// Where the program looks up other programs' install records. The opening
// area only reads values; by default they come through the registry classes
// (support/registry), which never create a key on a read. Tests put a
// table of their own in place.

#include <QString>

#include <memory>

namespace qv::create
{

enum class RegistryRoot { LocalMachine, CurrentUser };

class RegistryLookup
{
public:
    virtual ~RegistryLookup() = default;
    // The value under root\key, or empty text when it is not there.
    virtual QString value(RegistryRoot root, const QString &key, const QString &valueName) = 0;
};

// The lookup in force.
RegistryLookup &registryLookup();
// Puts a lookup in force; nullptr goes back to the registry classes.
void setRegistryLookup(std::shared_ptr<RegistryLookup> lookup);

} // namespace qv::create
