#pragma once

// Compile Plan (File menu item 7, toolbar button 9): checks that compiling
// can start, asks, stores the plan folder for the compiler, saves, writes
// the graph pictures and the export files, converts the tables into
// pictures and starts the compiler; the composer closes once the compiler
// has started. Any failure leaves the composer open and usable.

namespace qv::composer {

class frmMain;

void CompilePlan(frmMain &composer);

} // namespace qv::composer
