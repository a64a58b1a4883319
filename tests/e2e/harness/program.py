"""What the tests know about the program itself: the layout names of its windows."""

MAIN_WINDOW = "MainWindow"
