#pragma once
class MainWindow;

// Attaches the file and edit commands to the window's command table.
void AttachDocumentCommands(MainWindow& window);
