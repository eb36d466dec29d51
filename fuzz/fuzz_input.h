// Turning a fuzzer's bytes into the values a host or a stored setting can
// hold: texts, registry values, and Variants of every kind, nested arrays
// included.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "platform/headless/headless_platform.h"
#include "server/core/variant.h"

namespace topaline::fuzz {

// Up to maxLength UTF-16 code units, lone surrogates and controls included.
std::wstring TakeText(FuzzedDataProvider& in, std::size_t maxLength = 40);

// A value of any kind a host can put; an array (any lower bound, array of
// VARIANT or typed) holds up to a few elements and nests up to maxDepth.
Variant TakeVariant(FuzzedDataProvider& in, int maxDepth = 3);

// An exchange value as a host assigns it: mostly a one-dimensional array
// of VARIANT whose elements are anything TakeVariant makes, sometimes a
// scalar or a multi-dimensional or typed array.
Variant TakeExchangeValue(FuzzedDataProvider& in);

// Stores one value of any registry type (string, DWORD, binary, other)
// named name under path.
void TakeRegistryValue(FuzzedDataProvider& in, HeadlessRegistry& registry, const std::wstring& path,
                       const std::wstring& name);

}  // namespace topaline::fuzz
