#pragma once

// Opens the help database and imports its index into the help tree.
class HelpDatabase {};
