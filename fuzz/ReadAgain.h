// The reply-view fuzzer's reading of "this tree changes when its HTML is read again": trees that
// no parser following the HTML standard writes back and reads the same, browsers' neither. The
// native corpus test checks this reading against parse5's round trips.
#pragma once

#include <cstddef>

#include "html/Node.h"

namespace harfpad::fuzzing {

// A line feed starting a <pre>, <listing> or <textarea> (each parse drops one); <plaintext> (its
// end tag reads back as text); a script ending inside "<!--<script>" (so does its end tag); an
// element inside one that its own start tag would have closed or is ignored in, read with its
// ancestors open (a heading right in a heading, a <p> closer in a <p>, <li> in <li>, <a> in <a>,
// a form in a form, ...); a tree as deep as `maxDepth`, whose deepest elements went beside.
bool changesWhenReadAgain(const html::Node& body, std::size_t maxDepth);

}  // namespace harfpad::fuzzing
