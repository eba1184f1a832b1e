// The main window lands here.
