#include "format/builtin_assignment.h"

#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <string_view>

namespace stepwise {

namespace {

// Separator between paragraphs inside one script line.
constexpr std::u16string_view kParagraphBreak = u"\r\n\r\n";

// Closing self-critique paragraph shared by every worked answer.  It is kept as two
// pieces that are joined with nothing in between.
constexpr std::u16string_view kCritiqueLead =
    u"You need to make note of anything in the given solution that you did not understand, and of "
    u"any difference between your answer and the given solution. In the right-hand box, write a "
    u"self-critique, in your own words, stating what the solution shows and where your work "
    u"differs. Do this for anything you don't";
constexpr std::u16string_view kCritiqueTail =
    u" already understand and save your response as Notes.";

std::u16string joinParagraphs(std::initializer_list<std::u16string_view> paragraphs) {
    std::u16string line;
    bool first = true;
    for (std::u16string_view paragraph : paragraphs) {
        if (!first) {
            line += kParagraphBreak;
        }
        line += paragraph;
        first = false;
    }
    return line;
}

// A worked answer is its explanation paragraphs followed by the self-critique paragraph.
std::u16string workedAnswer(std::initializer_list<std::u16string_view> explanation) {
    std::u16string line = joinParagraphs(explanation);
    line += kParagraphBreak;
    line += kCritiqueLead;
    line += kCritiqueTail;
    return line;
}

std::vector<std::u16string> buildAssignment() {
    // The even script lines 2..48, in order.  Questions and their worked answers alternate
    // after the opening instructions and acknowledgement.
    const std::u16string content[] = {
        // Script line 2.
        joinParagraphs({
            u"`q001.  You should copy and paste these instructions into a word processor or text "
            u"file and save them, so that you can refer back to them whenever you need to as you "
            u"work through this assignment and through later assignments.",
            u"1.  For the next question or answer, click on the 'Next Question / Answer' button. "
            u"The next block of text will then appear in the left-hand box. Read it carefully, and "
            u"if it is a question, think about it before you write anything.",
            u"2.  Before clicking for an answer, type your complete answer to the question in the "
            u"right-hand box, showing your reasoning as well as your results.",
            u"3.  After entering your answer, click the 'Enter Response' button. You will be asked "
            u"to rate your confidence in your answer from 0 (not confident at all) to 3 (fully "
            u"confident).",
            u"4.  If your answer was incorrect, or if the given solution shows you something you "
            u"did not see, do not erase your work. Compare your answer with the given solution, "
            u"step by step, and find where and why the two differ. Then in the right-hand box "
            u"write a self-critique, in which you explain in your own words what the given "
            u"solution shows, what you did differently, and what you now understand that you did "
            u"not understand before. If something in the solution still makes no sense to you, say "
            u"exactly what it is, so that your instructor can help you with it.",
            u"5.  If you wish to save your response to your Notes file, click the 'Save as Notes' "
            u"button instead of the 'Enter Response' button. You can review everything you have "
            u"saved at any time by clicking 'display notes'. Clicking 'display SEND file' will "
            u"show you the file containing your responses, which you will send to your instructor "
            u"when you have finished the assignment.",
            u"6.  After clicking either the 'Enter Response' or the 'Save as Notes' button, click "
            u"'clear box' to empty the right-hand box; 'quit program' exits.",
            u"In the right-hand box briefly describe your understanding of these instructions, "
            u"then click 'Enter Answer'.",
        }),
        // Script line 4.
        u"Your answer has been noted.  Enter 'ok' in the right-hand box and click 'Enter "
            u"Response', then 'Next Question / Answer' to move on to the next question.",
        // Script line 6.
        joinParagraphs({
            u"`q002.  Note that there are 10 questions in this assignment after the one that "
            u"follows this note. All of them are about rates. Answer each question in the "
            u"right-hand box before you ask to see the solution, and show how you got your answer, "
            u"not just the answer. It's fine to be wrong; just think each one through. After each "
            u"question you will see a worked solution, which you should compare carefully with "
            u"your own work before you write your self-critique.",
            u"If you make $50 in 5 hr, then at what rate are you earning money?",
        }),
        // Script line 8.
        workedAnswer({
            u"The rate at which you are earning money is the number of dollars you earn per hour. "
            u"To find this rate, we divide the amount of money by the time it took to earn it: $50 "
            u"/ (5 hr) = $10 per hour, also written $10 / hr. The word 'per' means 'for each' or "
            u"'divided by'. Note that the units divide just as the numbers do, so that dollars "
            u"divided by hours gives dollars per hour. The result tells you that in each hour you "
            u"earn, on the average, $10. Check: at $10 per hour, in 5 hours you would earn 5 hr * "
            u"$10 / hr = $50, which agrees with the given information.",
        }),
        // Script line 10.
        u"`q003.If you make $60,000 per year then how much do you make per month?",
        // Script line 12.
        workedAnswer({
            u"Most people will very quickly see that we need to divide $60,000 by 12, since a year "
            u"has 12 months. We get $60,000 / (12 months) = $5,000 per month. To check: 12 months "
            u"* $5,000 / month = $60,000. This is again a rate of change of money with respect to "
            u"time.",
        }),
        // Script line 14.
        u"`q004.  Suppose that the $60,000 is made in a small business, so the money does not "
            u"come in evenly through the year. Do you still make $5,000 per month? In what sense "
            u"is $5,000 per month a correct answer?",
        // Script line 16.
        workedAnswer({
            u"Small businesses do not usually make the same amount every month. A business might "
            u"take in $9,000 in a busy month and only $2,000 in a slow one. So, in most months you "
            u"do not make exactly $5,000. But the total for the 12 months is still $60,000, so the "
            u"average is still $60,000 / (12 months) = $5,000 per month. This is the amount you "
            u"would make each month if the $60,000 were spread evenly over the year. So $5,000 per "
            u"month is correct as an average rate, not as the amount made in a given month.",
        }),
        // Script line 18.
        u"`q005.  If you travel 300 miles in 6 hours, at what average rate are you traveling? "
            u"Why do we call this an 'average' rate rather than simply a 'rate'?",
        // Script line 20.
        workedAnswer({
            u"The average rate is 50 miles per hour, or 50 mph, since 300 miles / (6 hours) = 50 "
            u"miles / hour. We call this the average rate because on a real trip the speed is not "
            u"constant. You speed up and slow down, you stop at lights, and at times you drive "
            u"faster than 50 mph. For example, you might drive at 60 mph for 4 hours, going 240 "
            u"miles, stop for an hour for lunch and fuel, then drive the last 60 miles at 60 mph. "
            u"Nearly all the time your speed was either 60 mph or 0, yet the average rate was "
            u"still 300 miles / (6 hours) = 50 mph. The average rate is the total distance divided "
            u"by the total time, and it is the constant speed at which you would have to travel to "
            u"cover the same 300 miles in the same 6 hours.",
        }),
        // Script line 22.
        u"`q006.  If you use 60 gallons of gasoline on a 1200 mile trip, then at what average "
            u"rate were you using gasoline? Express your rate in two ways.",
        // Script line 24.
        workedAnswer({
            u"The rate of change of one quantity with respect to another is the change in the "
            u"first quantity divided by the change in the second. Here the two quantities are the "
            u"number of miles driven and the number of gallons used, and we can get the rate of "
            u"change of either one with respect to the other.",
            u"On this trip the distance changes by 1200 miles while the gasoline used changes by "
            u"60 gallons, so the average rate of change of miles with respect to gallons is 1200 "
            u"miles / (60 gallons) = 20 miles per gallon. This means that, on the average, each "
            u"gallon lasted 20 miles.",
            u"We can also find the average rate of change of gallons with respect to miles, which "
            u"is 60 gallons / (1200 miles) = 0.05 gallons per mile. This tells us that on the "
            u"average every mile used 0.05 gallon, or one twentieth of a gallon, of gasoline.",
            u"In general, the average rate of change of A with respect to B is (change in A) / "
            u"(change in B). A is what we divide and B is what we divide by, so the rate is in "
            u"units of A per unit of B. In the earlier questions we found the rate of change of "
            u"money with respect to time, in dollars per hour, and the rate of change of distance "
            u"with respect to time, in miles per hour. Here the rate of change of miles with "
            u"respect to gallons is in miles per gallon, and the rate of change of gallons with "
            u"respect to miles is in gallons per mile.",
            u"The two rates 20 miles / gallon and 0.05 gallons / mile are reciprocals of one "
            u"another: 20 * 0.05 = 1, and 1 / 20 = 0.05. Either one gives the other.",
            u"Both are average rates, because the car does not use gasoline at the same rate all "
            u"the time. It uses more gasoline per mile in city traffic or while climbing hills, "
            u"and less at a steady speed on a level highway.",
        }),
        // Script line 26.
        u"`q007.  The word 'average' generally connotes adding up values and dividing by how "
            u"many there are. Is that what we did to find the average rates in the previous "
            u"questions? If not, what does 'average' mean in those cases, and how does it relate "
            u"to the usual one?",
        // Script line 28.
        workedAnswer({
            u"The word 'average' in the context of the dollars per hour, miles per hour and miles "
            u"per gallon of the preceding questions means the total change in one quantity divided "
            u"by the total change in the other. We did not add up a list of rates. The average "
            u"rate is the constant rate that would give the same total change: earning $10 in each "
            u"of 5 hours gives the same $50. If you did list your earnings for each hour, perhaps "
            u"$8, $12, $9, $11 and $10, and averaged these in the usual way, you would get $50 / 5 "
            u"= $10, the same result, because each rate applies to the same amount of time. This "
            u"does not work when the times differ. If you drive 2 hours at 60 mph and then 1 hour "
            u"at 30 mph, the usual average of 60 and 30 is 45, but you go 150 miles in 3 hours, so "
            u"your average rate is 50 mph.",
        }),
        // Script line 30.
        u"`q008.  In a study of how lifting strength is influenced by training, one group of "
            u"people trained 3 hours per week and another group trained 8 hours per week. The "
            u"people in the two groups were alike in age, size and starting strength. After "
            u"several months the second group had, on the average, 15 pounds more lifting strength "
            u"than the first group. What was the average rate of change of lifting strength with "
            u"respect to weekly training time? Give the units of the answer.",
        // Script line 32.
        workedAnswer({
            u"The second group had 15 pounds more lifting strength and it trained 5 more hours per "
            u"week, so the average rate is 15 pounds / (5 hours per week) = 3 pounds per weekly "
            u"hour of training time.",
        }),
        // Script line 34.
        u"`q009.  In another part of the study, a group training 8 hours per week was compared "
            u"with a group training 18 hours per week, and at the end of the study the second "
            u"group had 17 pounds more lifting strength. What was the average rate of change of "
            u"lifting strength with respect to training time? How does it compare with the rate in "
            u"the preceding question, and what might the difference tell us about the effect of "
            u"additional training?",
        // Script line 36.
        workedAnswer({
            u"The difference in lifting strength was 17 pounds and the difference in training time "
            u"was 10 hours per week, so the average rate is 17 pounds / (10 hours per week) = 1.7 "
            u"pounds per weekly hour. This is less than the 3 pounds per weekly hour found above, "
            u"which suggests that each extra weekly hour of training gives a smaller gain at "
            u"higher levels of training.",
        }),
        // Script line 38.
        u"`q010.  During a race, a runner passes the 50-meter mark 6 seconds after the start "
            u"and the 150-meter mark 18.5 seconds after the start. What is the runner's average "
            u"speed between these two marks? Explain your reasoning.",
        // Script line 40.
        workedAnswer({
            u"The runner traveled 100 meters between the two marks, from the 50-meter mark to the "
            u"150-meter mark, in 18.5 s - 6 s = 12.5 seconds. The average speed is 100 m / (12.5 "
            u"s) = 8 m/s. Check: 12.5 s * 8 m/s = 100 m. Note that we use the change in position "
            u"and the change in clock time, not the clock readings themselves. The actual speed "
            u"might have varied.",
        }),
        // Script line 42.
        u"`q011.  During a race, a runner passes the 100-meter mark at 10 meters/sec and the "
            u"200-meter mark at 5 meters/sec. If the velocity changes at a constant rate with "
            u"respect to time, how long does the runner take between the two marks?",
        // Script line 44.
        workedAnswer({
            u"At 10 meters/sec, the runner would require 10 seconds to travel the 100 meters "
            u"between the marks, and at 5 meters/sec the runner would require 20 seconds. The "
            u"runner is slowing down from 10 m/s to 5 m/s, so the actual time is between 10 and 20 "
            u"seconds. It is tempting to average 10 s and 20 s to get 15 s, but that is not "
            u"correct. Since the velocity changes at a constant rate with respect to time, a graph "
            u"of velocity against time is a straight line from 10 m/s down to 5 m/s, and the "
            u"average velocity is the average of the initial and final velocities: (10 m/s + 5 "
            u"m/s) / 2 = 7.5 m/s. The time is 100 m / (7.5 m/s) = 13.3 seconds, approximately "
            u"(exactly 40/3 s). Check: the velocity drops by 5 m/s in 40/3 s, a constant rate of "
            u"0.375 m/s per second, and moving at an average of 7.5 m/s for 40/3 s the runner "
            u"covers 7.5 m/s * 40/3 s = 100 m. The 15 s would be correct if, say, the runner "
            u"covered the first 50 meters at 10 m/s and the last 50 meters at 5 m/s, taking 5 s "
            u"and 10 s. With uniformly changing velocity the runner spends half the time, not half "
            u"the distance, above 7.5 m/s.",
        }),
        // Script line 46.
        u"`q012.  We just averaged two quantities, adding them and dividing by two, to find "
            u"the runner's average velocity. When is this approach valid?",
        // Script line 48.
        workedAnswer({
            u"In previous examples the quantities weren't known to change at a constant rate. We "
            u"only knew totals, so each average rate had to be found by dividing one total change "
            u"by another. Averaging the initial and final values of a rate, by adding them and "
            u"dividing by 2, is sure to give the average rate when the rate changes at a constant "
            u"rate, so its graph against time is a straight line. If the runner slowed quickly at "
            u"first, this would fail.",
        }),
    };

    // Script layout: the header, the content lines with an empty line between each pair,
    // then the end marker.
    std::vector<std::u16string> lines;
    lines.reserve(2 * std::size(content) + 1);
    lines.emplace_back(u"001.  Rates");
    for (std::size_t i = 0; i < std::size(content); ++i) {
        if (i > 0) {
            lines.emplace_back();
        }
        lines.push_back(content[i]);
    }
    lines.emplace_back(u"end program");
    return lines;
}

}  // namespace

const std::vector<std::u16string>& builtinAssignment() {
    static const std::vector<std::u16string> lines = buildAssignment();
    return lines;
}

}  // namespace stepwise
