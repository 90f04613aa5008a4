#pragma once

// Expands the help tree and shows the selected entry.
class HelpTree {};
