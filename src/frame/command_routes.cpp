// Routes of the command numbers to their implementations.
