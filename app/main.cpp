// placeholder: the GUI front is being written
int main() { return 0; }
