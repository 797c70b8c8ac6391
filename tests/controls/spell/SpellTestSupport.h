#pragma once

#include "controls/spell/SpellChecker.h"

#include <gtest/gtest.h>

// The installed main dictionary, opened for a test.
inline void openInstalledDictionary(qv::spell::SpellChecker &checker)
{
    ASSERT_TRUE(checker.openMainDictionary()) << checker.errorString().toStdString();
}
