  Vlong Length() const {return TupleLength();}
