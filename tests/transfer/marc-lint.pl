# Prints MARC::Record's and MARC::Lint's warnings on each MARC21 record of an ISO 2709 file, as
# "001: warning", one a line; nothing for a clean file.
#
# MARC::Lint checks the title's nonfiling indicator only against English,
# French, German, Italian and Spanish articles, and calls every other first
# word no article. Here it knows the Greek ones too, and holds the indicator
# to the article's length as it does for its own.
use strict;
use warnings;
use utf8;
use MARC::File::USMARC;
use MARC::Lint;

package GreekLint;
use parent -norequire, 'MARC::Lint';

my %greek = map { $_ => 1 } qw(ο η το οι τα τον την τη του της των τους τις ένας ενας ένα ενα έναν εναν
  ενός ενος μια μία μιας μίας μιαν μίαν);

sub _check_article {
    my ($self, $field) = @_;
    my $title = $field->subfield('a') // '';
    if ($field->tag() eq '245' && $title =~ /^(["'«\[(]*)(\S+) / && $greek{lc $2}) {
        my $length = length($1) + length($2) + 1;
        my $ind = $field->indicator(2);
        $self->warn("245: Greek article $2 needs 2nd indicator $length, not $ind") unless $ind eq $length;
        return;
    }
    return $self->SUPER::_check_article($field);
}

package main;

binmode STDOUT, ':encoding(UTF-8)';
my $lint = GreekLint->new;
my $file = MARC::File::USMARC->in($ARGV[0]) or die "cannot read $ARGV[0]\n";
while (my $record = $file->next) {
    $lint->check_record($record);
    my $number = $record->field('001') ? $record->field('001')->data : '?';
    print "$number: $_\n" for $record->warnings, $lint->warnings;
}
$file->close;
