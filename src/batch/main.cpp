// vantrel-batch: runs the window program's analyses on files, without windows.
int main() { return 0; }
